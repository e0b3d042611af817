#include "editor/startup.h"
#include "platform/userhome.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tavlo::settleHome();
    QApplication::setApplicationName(QStringLiteral("tavlo"));
    QApplication::setDesktopFileName(QStringLiteral("tavlo"));
    QApplication app(argc, argv);
    // Qt has taken its own options out of argv by now.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return tavlo::Main(app, arguments);
}
