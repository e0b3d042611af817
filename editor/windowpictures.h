#pragma once

#include <QImage>

class QMainWindow;
namespace Ui {
class frmMap;
}

namespace tavlo {

// The main window's own pictures: the splash, the strip's buttons and the window's icon,
// decoded once for the whole run and safe from any thread, so that start-up decodes them
// beside the window being built.
struct WindowPictures {
    QImage splash; // already in the canvas's pixel format
    QImage window;
    QImage square;
    QImage circle;
    QImage poly;
    QImage make;
    QImage close;
};
const WindowPictures& windowPictures();

// Puts the pictures in their places once the window's layout is built.
void showWindowPictures(Ui::frmMap& ui, QMainWindow& window);

} // namespace tavlo
