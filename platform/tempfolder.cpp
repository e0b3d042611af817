#include "platform/tempfolder.h"

#include <QDir>

namespace tavlo {

QString tempFolder()
{
    const QString path = QDir::tempPath();
    if (path.isEmpty())
        return QStringLiteral("/tmp/");
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace tavlo
