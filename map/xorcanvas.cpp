#include "map/xorcanvas.h"

#include "map/area.h"
#include "map/mapdocument.h"
#include "platform/rounding.h"

#include <QPainter>
#include <QRect>

#include <algorithm>
#include <optional>

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

// The numbers of a point text, or nothing when one lies outside an area's range:
// such an outline would overflow the arithmetic below.
std::optional<QList<int>> numbers(const QList<QByteArray>& fields)
{
    QList<int> values;
    values.reserve(fields.size());
    for (const QByteArray& f : fields) {
        const std::optional<int> v = areaCoordinate(f.trimmed().toDouble());
        if (!v)
            return std::nullopt;
        values.append(*v);
    }
    return values;
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

void XorCanvas::drawOutline(const QByteArray& pts)
{
    const int pipes = countPipes(pts);
    const std::optional<QList<int>> n = numbers(pts.split('|'));
    if (!n)
        return;
    const QList<int>& f = *n;
    if (pipes == 2) {
        drawCircle(QPoint(f[0], f[1]), f[2]);
    } else if (pipes == 3) {
        drawBox(QPoint(f[0], f[1]), QPoint(f[2], f[3]));
    } else if (pipes > 3) {
        // Every edge and dot the polygon tool drew, the last edge back to the first
        // vertex.
        const qsizetype vertices = f.size() / 2;
        for (qsizetype k = 0; k < vertices; ++k) {
            const qsizetype next = (k + 1) % vertices;
            const QPoint a(f[2 * k], f[2 * k + 1]);
            const QPoint b(f[2 * next], f[2 * next + 1]);
            drawLine(a, b);
            drawDot(a);
        }
    }
}

} // namespace tavlo
