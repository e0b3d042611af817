#include "editor/mapdocument.h"

#include "editor/rounding.h"

#include <QPolygon>
#include <QRect>

namespace tavlo {

const QByteArray defaultHref = QByteArrayLiteral("#");
const QByteArray targetPrompt = QByteArrayLiteral("Enter a TARGET here, if you would like...");
const QByteArray altPrompt = QByteArrayLiteral("Also enter ALT text, if you would like...");

namespace {

const QByteArray recordHrefAnchor = QByteArrayLiteral("HREF=");

QByteArray recordHead(const char* shape, const QByteArray& coords)
{
    return QByteArrayLiteral("<AREA SHAPE=\"") + shape + QByteArrayLiteral("\" COORDS=\"") +
           coords + QByteArrayLiteral("\" HREF=\"");
}

QByteArray joined(std::initializer_list<int> values, const char* separator)
{
    QByteArray out;
    for (int v : values) {
        if (!out.isEmpty())
            out += separator;
        out += QByteArray::number(v);
    }
    return out;
}

// A rectangle region holds its left and top edges but not its right and bottom ones.
QRect orderedRect(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
}

} // namespace

AreaShape rectArea(int x1, int y1, int x2, int y2)
{
    return {recordHead("rect", joined({x1, y1, x2, y2}, ", ")), joined({x1, y1, x2, y2}, "|"),
            QRegion(orderedRect(x1, y1, x2, y2))};
}

QByteArray radiusText(float radius)
{
    // Seven significant digits, the way a 32-bit float prints: 42.72002, 42.5, 7.
    return QByteArray::number(static_cast<double>(radius), 'g', 7);
}

AreaShape circleArea(int cx, int cy, float radius)
{
    const double r = radius;
    const int left = roundToInt(cx - r);
    const int top = roundToInt(cy - r);
    const int right = roundToInt(cx + r);
    const int bottom = roundToInt(cy + r);
    const QRect box(QPoint(left, top), QSize(std::max(0, right - left), std::max(0, bottom - top)));
    return {recordHead("circle", joined({cx, cy, roundToInt(r)}, ", ")),
            QByteArray::number(cx) + '|' + QByteArray::number(cy) + '|' + radiusText(radius),
            QRegion(box, QRegion::Ellipse)};
}

AreaShape polyArea(const QList<QPoint>& vertices)
{
    QByteArray coords;
    QByteArray pts;
    for (const QPoint& p : vertices) {
        if (!coords.isEmpty()) {
            coords += ", ";
            pts += '|';
        }
        coords += QByteArray::number(p.x()) + ", " + QByteArray::number(p.y());
        pts += QByteArray::number(p.x()) + '|' + QByteArray::number(p.y());
    }
    return {recordHead("poly", coords), pts, QRegion(QPolygon(vertices), Qt::OddEvenFill)};
}

QByteArray getField(const QByteArray& text, int n, bool comma)
{
    const char separator = comma ? ',' : '|';
    qsizetype p = -1; // index of the separator before the field
    // A search that finds nothing leaves p at -1, so the next one starts again from
    // the beginning: that is the wrap-around.
    for (int i = 1; i < n; ++i)
        p = text.indexOf(separator, p + 1);
    qsizetype e = text.indexOf(separator, p + 1);
    if (e < 0)
        e = text.size();
    return text.mid(p + 1, e - p - 1);
}

int countPipes(const QByteArray& text)
{
    return static_cast<int>(text.count('|'));
}

MapDocument::MapDocument(QObject* parent)
    : QObject(parent)
{}

void MapDocument::addArea(const AreaShape& shape)
{
    m_areaList.append(shape.record);
    m_ptsList.append(shape.pts);
    m_rgnList.append(shape.region);
    ++m_aCount;
    emit changed();
}

void MapDocument::addAreaDefaults()
{
    appendTexts(defaultHref, targetPrompt, altPrompt);
}

void MapDocument::appendTexts(const QByteArray& href, const QByteArray& target,
                              const QByteArray& alt)
{
    m_hrefList.append(href);
    m_targetList.append(target);
    m_altList.append(alt);
    emit changed();
}

void MapDocument::replaceTail(int i, const QByteArray& tail, const QByteArray& href,
                              const QByteArray& target, const QByteArray& alt)
{
    if (i < 0 || i >= m_areaList.size())
        return;
    QByteArray& record = m_areaList[i];
    const qsizetype anchor = record.indexOf(recordHrefAnchor);
    if (anchor < 0)
        return;
    // Keep the record up to and including `HREF="`.
    record = record.left(anchor + recordHrefAnchor.size() + 1) + tail;
    if (i < m_hrefList.size()) {
        m_hrefList[i] = href;
        m_targetList[i] = target;
        m_altList[i] = alt;
    }
    emit changed();
}

void MapDocument::deleteArea(int i)
{
    if (i < 0 || i >= m_areaList.size())
        return;
    m_areaList.removeAt(i);
    m_ptsList.removeAt(i);
    m_rgnList.removeAt(i);
    for (QList<QByteArray>* list : {&m_hrefList, &m_targetList, &m_altList}) {
        if (i < list->size())
            list->removeAt(i);
    }
    emit changed();
}

void MapDocument::clearAreas()
{
    if (m_aCount == 0 && m_areaList.isEmpty())
        return;
    m_aCount = 0;
    m_areaList.clear();
    m_ptsList.clear();
    m_rgnList.clear();
    emit changed();
}

void MapDocument::clearLists()
{
    if (m_hrefList.isEmpty())
        return;
    m_hrefList.clear();
    m_targetList.clear();
    m_altList.clear();
    emit changed();
}

int MapDocument::hitTest(QPointF point) const
{
    const QPoint p(roundToInt(point.x()), roundToInt(point.y()));
    for (qsizetype i = 0; i < m_rgnList.size(); ++i) {
        if (m_rgnList[i].contains(p))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tavlo
