// The yardstick for start-up: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(553, 338);
    window.show();
    return app.exec();
}
