#include "platform/windowsystem.h"

namespace tavlo {

QByteArray windowSystemFor(const QProcessEnvironment& environment)
{
    // Qt takes an empty QT_QPA_PLATFORM for none.
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return {};
    if (environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

} // namespace tavlo
