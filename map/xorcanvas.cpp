#include "map/xorcanvas.h"

#include "map/area.h"
#include "platform/rounding.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

namespace tavlo {

namespace {

class XorPainter : public QPainter {
public:
    explicit XorPainter(QImage& image)
        : QPainter(&image)
    {
        setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        setRenderHint(QPainter::Antialiasing, false);
        setPen(QPen(QColor(XorCanvas::pen), 0));
        setBrush(Qt::NoBrush);
    }
};

// The rectangle with corners a and b, both inside it, in either order. Not
// QRect::normalized(): since Qt 6 it moves a reversed rectangle's edges one pixel in.
QRect corners(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// A one-pixel-wide strip around a line, as what a repaint needs to cover.
QRect span(QPoint a, QPoint b)
{
    return corners(a, b).adjusted(-1, -1, 1, 1);
}

} // namespace

XorCanvas::XorCanvas(QImage& picture, Dirty dirty)
    : m_picture(picture)
    , m_dirty(std::move(dirty))
{}

void XorCanvas::drawBox(QPoint a, QPoint b)
{
    if (a == b)
        return;
    const QRect box = corners(a, b);
    {
        // A 1-pixel pen strokes one pixel past the size: the outline runs through
        // both corners.
        XorPainter painter(m_picture);
        painter.drawRect(QRect(box.topLeft(), box.size() - QSize(1, 1)));
    }
    // Only the four edges changed: a big band repaints as fast as a small one.
    QRegion edges;
    edges += span(box.topLeft(), box.topRight());
    edges += span(box.bottomLeft(), box.bottomRight());
    edges += span(box.topLeft(), box.bottomLeft());
    edges += span(box.topRight(), box.bottomRight());
    m_dirty(edges);
}

void XorCanvas::drawCircle(QPoint c, int r)
{
    if (r <= 0)
        return;
    {
        XorPainter painter(m_picture);
        painter.drawEllipse(c, r, r);
    }
    // The ring, not the inside: eight strips along the outline's octants.
    const int d = roundToInt(r * 0.7072) + 2; // past 45 degrees, with a margin
    QRegion ring;
    ring += QRect(c.x() - d, c.y() - r - 2, 2 * d + 1, r - d + 4 + 1);
    ring += QRect(c.x() - d, c.y() + d - 2, 2 * d + 1, r - d + 4 + 1);
    ring += QRect(c.x() - r - 2, c.y() - d, r - d + 4 + 1, 2 * d + 1);
    ring += QRect(c.x() + d - 2, c.y() - d, r - d + 4 + 1, 2 * d + 1);
    m_dirty(ring);
}

void XorCanvas::drawLine(QPoint a, QPoint b)
{
    {
        XorPainter painter(m_picture);
        painter.drawLine(a, b);
    }
    if (a.x() == b.x() || a.y() == b.y() || (a - b).manhattanLength() < 64) {
        m_dirty(span(a, b));
        return;
    }
    // A long slanted line: a chain of small boxes along it instead of its whole box.
    QRegion strip;
    const int steps = (a - b).manhattanLength() / 32;
    for (int i = 0; i < steps; ++i) {
        const QPoint p = a + (b - a) * i / steps;
        const QPoint q = a + (b - a) * (i + 1) / steps;
        strip += span(p, q);
    }
    m_dirty(strip);
}

void XorCanvas::drawDot(QPoint p)
{
    const QRect dot(p.x() - dotSize / 2, p.y() - dotSize / 2, dotSize, dotSize);
    {
        XorPainter painter(m_picture);
        painter.fillRect(dot, QColor(pen));
    }
    m_dirty(QRegion(dot));
}

void XorCanvas::tint(const QRegion& region)
{
    {
        XorPainter painter(m_picture);
        for (const QRect& r : region)
            painter.fillRect(r, QColor(tintColour));
    }
    m_dirty(region);
}

void XorCanvas::drawOutline(const MapArea& area)
{
    const QList<QPoint>& p = area.points();
    switch (area.kind()) {
    case AreaKind::Circle:
        // Rounded from the radius as its point text holds it, seven digits: the circle
        // that erases the outline is the one it has always been.
        if (const std::optional<int> r = areaCoordinate(radiusText(area.radius()).toDouble()))
            drawCircle(p[0], *r);
        break;
    case AreaKind::Rect:
        drawBox(p[0], p[1]);
        break;
    case AreaKind::Poly:
        // Every edge and dot the polygon tool drew, the last edge back to the first
        // vertex.
        for (qsizetype k = 0; k < p.size(); ++k) {
            drawLine(p[k], p[(k + 1) % p.size()]);
            drawDot(p[k]);
        }
        break;
    }
}

} // namespace tavlo
