#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavlo {

// The main window's fixed design measures, in twips.
namespace design {
constexpr int picture1Width = 540; // the tool strip
constexpr int picture1Height = 3000;
constexpr int scrollThickness = 195;
constexpr int hscrollLeft = 525;
constexpr int clientWidth = 8295; // before any picture is loaded
constexpr int clientHeight = 4740;
constexpr int canvasLeftPixels = 36; // where the canvas sits when not scrolled
} // namespace design

// The window size that fits a canvas of canvasOuter pixels on a screen of screen
// pixels. Sizes are the window's outer size in twips.
struct WindowFit {
    bool moveToOrigin = false;
    int widthTwips = 0;
    int heightTwips = 0;
};
WindowFit fitWindow(QSize canvasOuter, QSize screen);

// Where the layout pass puts the controls, in pixels of the window's inside.
struct WindowLayout {
    QPoint canvasPos;
    QRect hscroll;
    QRect vscroll;
    int hscrollMax = 0;
    int vscrollMax = 0;
};
WindowLayout layoutWindow(QSize inside, QSize canvasOuter);

} // namespace tavlo
