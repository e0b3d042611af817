#include "platform/userhome.h"

#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

namespace tavlo {

QByteArray userHome(const QByteArray& homeVariable, const std::function<QByteArray()>& passwordHome)
{
    return homeVariable.isEmpty() ? passwordHome() : homeVariable;
}

bool settleHome()
{
    const QByteArray home = userHome(qgetenv("HOME"), [] {
        const passwd* entry = ::getpwuid(::getuid());
        return entry && entry->pw_dir ? QByteArray(entry->pw_dir) : QByteArray();
    });
    if (home.isEmpty())
        return false;
    qputenv("HOME", home);
    return true;
}

bool hasHomeFolder()
{
    return !qgetenv("HOME").isEmpty();
}

} // namespace tavlo
