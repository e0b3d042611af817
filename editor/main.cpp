#include "editor/startup.h"
#include "platform/userhome.h"
#include "platform/windowsystem.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tavlo::settleHome();
    const QByteArray platform = tavlo::windowSystemFor(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    QApplication::setApplicationName(QStringLiteral("tavlo"));
    QApplication::setDesktopFileName(QStringLiteral("tavlo"));
    QApplication app(argc, argv);
    // The choice was for this process only: the browser it starts chooses its own.
    if (!platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    // Qt has taken its own options out of argv by now.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return tavlo::Main(app, arguments);
}
