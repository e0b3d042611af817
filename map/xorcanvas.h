#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <functional>

namespace tavlo {

class MapArea;

// Exclusive-or drawing into the canvas's picture: drawing a figure a second time
// restores every pixel it touched, which is how rubber bands move and how deleted
// areas vanish. Each figure reports the pixels it changed, so only those repaint.
class XorCanvas {
public:
    static constexpr QRgb pen = qRgb(192, 192, 192);
    static constexpr QRgb tintColour = qRgb(0, 0, 255);
    static constexpr int dotSize = 5;

    using Dirty = std::function<void(const QRegion&)>;
    XorCanvas(QImage& picture, Dirty dirty);

    // The outline of the box with corners a and b, in either order. A box of one
    // point draws nothing, so a drag that has not moved yet leaves no trace.
    void drawBox(QPoint a, QPoint b);
    // The outline of the circle of radius r around c; nothing for r of 0 or less.
    void drawCircle(QPoint c, int r);
    void drawLine(QPoint a, QPoint b);
    // The 5-pixel dot a polygon's vertex gets.
    void drawDot(QPoint p);
    // Inverts the blue of every pixel in the region: an area's tint.
    void tint(const QRegion& region);
    // Draws an area's outline again, as the tools drew it: erases one drawn before.
    void drawOutline(const MapArea& area);

private:
    QImage& m_picture;
    Dirty m_dirty;
};

} // namespace tavlo
