#include "map/areatools.h"

#include "map/area.h"
#include "map/mapdocument.h"
#include "map/xorcanvas.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavlo {

namespace {

// A drag may end off the canvas; an area keeps to the range every area keeps to.
QPoint rounded(QPointF p)
{
    return {clampedCoordinate(p.x()), clampedCoordinate(p.y())};
}

float distance(QPointF a, QPointF b)
{
    return static_cast<float>(std::hypot(a.y() - b.y(), a.x() - b.x()));
}

} // namespace

AreaTools::AreaTools(MapDocument& doc, ToolHost& host)
    : m_doc(doc)
    , m_host(host)
{
    m_vertices.reserve(maxVertices);
}

void AreaTools::press(Qt::MouseButton button, QPointF pos)
{
    // A press on the canvas always counts: only a release that comes alone is
    // swallowed for a dialog or a drag that ended elsewhere.
    skipDrop = false;
    if (skipMouse || button == Qt::RightButton || !m_host.imageLoaded())
        return;
    // A drag whose release never came (a dialog took it) leaves no band behind.
    abandonDrag();
    polyDone = false;
    // A press inside an area is a click on it: the release opens it.
    if (m_doc.hitTest(pos) >= 0) {
        m_penDown = false;
        return;
    }
    m_startX = clampedCoordinate(pos.x());
    m_startY = clampedCoordinate(pos.y());
    m_current = pos;
    m_penDown = true;
    // Each circle starts from nothing: a click without a drag makes no circle.
    radius = 0.0f;
    if (curShape == Polygon)
        addPoint(pos);
}

void AreaTools::move(Qt::MouseButtons buttons, QPointF pos)
{
    if (skipMouse || buttons == Qt::RightButton || !m_host.imageLoaded())
        return;
    // Nothing while the last press lies inside an area made since.
    if (m_doc.hitTest(QPointF(m_startX, m_startY)) >= 0)
        return;
    Pointer pointer = Pointer::Cross;
    if (curShape == Polygon && polyCount() >= closingHintFrom) {
        const QPoint first = m_vertices.first();
        if (std::abs(first.x() - pos.x()) < closingDistance &&
            std::abs(first.y() - pos.y()) < closingDistance)
            pointer = Pointer::UpArrow;
    }
    m_host.setPointer(pointer);
    if (m_penDown)
        dragMove(pos);
}

void AreaTools::dragMove(QPointF pos)
{
    XorCanvas& canvas = m_host.canvas();
    const QPoint start(m_startX, m_startY);
    if (curShape == Rectangle) {
        // The band drawn again erases itself; then the new one.
        canvas.drawBox(start, rounded(m_current));
        canvas.drawBox(start, rounded(pos));
        m_current = pos;
    } else if (curShape == Circle) {
        canvas.drawCircle(start, roundToInt(radius));
        radius = std::min(distance(start, pos), static_cast<float>(highestCoordinate));
        canvas.drawCircle(start, roundToInt(radius));
        m_current = pos;
    }
}

void AreaTools::abandonDrag()
{
    if (!m_penDown)
        return;
    m_penDown = false;
    const QPoint start(m_startX, m_startY);
    if (curShape == Rectangle)
        m_host.canvas().drawBox(start, rounded(m_current));
    else if (curShape == Circle)
        m_host.canvas().drawCircle(start, roundToInt(radius));
}

void AreaTools::pictureReplaced()
{
    m_penDown = false;
    m_vertices.clear();
}

void AreaTools::abandon()
{
    abandonDrag();
    XorCanvas& canvas = m_host.canvas();
    for (qsizetype i = 0; i < m_vertices.size(); ++i) {
        canvas.drawDot(m_vertices[i]);
        if (i > 0)
            canvas.drawLine(m_vertices[i - 1], m_vertices[i]);
    }
    m_vertices.clear();
}

void AreaTools::release(Qt::MouseButton button, QPointF pos)
{
    // Only the first flag set is cleared; a swallowed release ends a drag too.
    bool* swallow = skipDrop ? &skipDrop : skipMouse ? &skipMouse : polyDone ? &polyDone : nullptr;
    if (swallow) {
        *swallow = false;
        abandonDrag();
        return;
    }
    if (button == Qt::RightButton) {
        m_host.popupFileMenu();
        return;
    }
    if (!m_penDown) {
        const int hit = m_doc.hitTest(pos);
        if (hit >= 0)
            m_host.editArea(hit);
        return;
    }
    if (!m_host.imageLoaded())
        return;
    m_penDown = false;
    XorCanvas& canvas = m_host.canvas();
    const QPoint start(m_startX, m_startY);

    std::optional<MapArea> area;
    if (curShape == Rectangle) {
        // The outline that stays must be the one the area is made from.
        if (rounded(pos) != rounded(m_current))
            dragMove(pos);
        const QPoint end = rounded(pos);
        const float size = static_cast<float>(std::abs(m_startX - pos.x())) *
                           static_cast<float>(std::abs(m_startY - pos.y()));
        if (size < smallestRectangle) {
            canvas.drawBox(start, end);
            return;
        }
        area = MapArea::rectangle(start, end);
    } else if (curShape == Circle) {
        // The radius is the last move's, wherever the button comes up.
        if (radius < smallestCircle) {
            canvas.drawCircle(start, roundToInt(radius));
            return;
        }
        area = MapArea::circle(start, radius);
    }
    // Corners and centre are kept to the range and the radius to its end: a rectangle
    // or circle is always made.
    if (area)
        addArea(*area);
    m_host.pause(drawPause);
}

bool AreaTools::isClosing(QPoint click) const
{
    if (polyCount() < fewestToClose)
        return false;
    const QPoint first = m_vertices.first();
    return std::abs(first.y() - click.y()) < closingDistance &&
           std::abs(first.x() - click.x()) < closingDistance;
}

void AreaTools::addPoint(QPointF pos)
{
    XorCanvas& canvas = m_host.canvas();
    const QPoint click = rounded(pos);
    // With every vertex slot taken, the next click closes the polygon instead.
    if (isClosing(click) || polyCount() == maxVertices) {
        canvas.drawLine(m_vertices.last(), m_vertices.first());
        makePolygon();
        return;
    }
    canvas.drawDot(click);
    if (!m_vertices.isEmpty())
        canvas.drawLine(m_vertices.last(), click);
    m_vertices.append(click);
}

void AreaTools::makePolygon()
{
    m_penDown = false;
    // Three vertices or more, each kept to the range: a polygon is always made.
    const std::optional<MapArea> area = MapArea::polygon(m_vertices);
    m_vertices.clear();
    polyDone = true;
    m_host.setPointer(Pointer::Cross);
    if (!area)
        return;
    // Vertices on one line cover no pixel: an area nobody could ever click. It
    // vanishes like a too-small rectangle, its dots and edges drawn away.
    if (areaRegion(*area).isEmpty()) {
        m_host.canvas().drawOutline(*area);
        return;
    }
    addArea(*area);
}

void AreaTools::addArea(const MapArea& area)
{
    m_doc.addArea(area);
    m_host.canvas().tint(m_doc.region(m_doc.size() - 1));
}

} // namespace tavlo
