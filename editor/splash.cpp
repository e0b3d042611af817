#include "editor/splash.h"

namespace tavlo {

QImage splashPicture()
{
    static const QImage splash(QStringLiteral(":/images/splash.png"));
    return splash;
}

} // namespace tavlo
