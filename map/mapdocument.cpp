#include "map/mapdocument.h"

#include "platform/rounding.h"

namespace tavlo {

QList<QByteArray> MapDocument::areaList() const
{
    QList<QByteArray> list;
    list.reserve(m_areas.size());
    for (const Entry& e : m_areas)
        list.append(areaRecord(e.area));
    return list;
}

QList<QByteArray> MapDocument::ptsList() const
{
    QList<QByteArray> list;
    list.reserve(m_areas.size());
    for (const Entry& e : m_areas)
        list.append(pointText(e.area));
    return list;
}

QList<QRegion> MapDocument::rgnList() const
{
    QList<QRegion> list;
    list.reserve(m_areas.size());
    for (const Entry& e : m_areas)
        list.append(e.region);
    return list;
}

QList<QByteArray> MapDocument::texts(QByteArray AreaLinks::*text) const
{
    QList<QByteArray> list;
    list.reserve(m_leftTexts.size() + m_areas.size());
    for (const AreaLinks& t : m_leftTexts)
        list.append(t.*text);
    for (const Entry& e : m_areas) {
        if (e.shown)
            list.append((*e.shown).*text);
    }
    return list;
}

QList<QByteArray> MapDocument::hrefList() const
{
    return texts(&AreaLinks::href);
}

QList<QByteArray> MapDocument::targetList() const
{
    return texts(&AreaLinks::target);
}

QList<QByteArray> MapDocument::altList() const
{
    return texts(&AreaLinks::alt);
}

void MapDocument::addArea(const MapArea& area)
{
    addArea(area, {defaultHref, targetPrompt, altPrompt});
}

void MapDocument::addArea(const MapArea& area, const AreaLinks& shown)
{
    m_areas.append({area, shown, areaRegion(area)});
}

void MapDocument::replaceTail(int i, const QByteArray& tail, const AreaLinks& shown)
{
    if (i < 0 || i >= m_areas.size())
        return;
    Entry& e = m_areas[i];
    e.area.setLinks(tailLinks(tail, shown));
    if (e.shown)
        e.shown = shown;
}

void MapDocument::deleteArea(int i)
{
    if (i < 0 || i >= m_areas.size())
        return;
    m_areas.removeAt(i);
}

void MapDocument::clearAreas()
{
    for (const Entry& e : std::as_const(m_areas)) {
        if (e.shown)
            m_leftTexts.append(*e.shown);
    }
    m_areas.clear();
}

void MapDocument::clearLists()
{
    m_leftTexts.clear();
    for (Entry& e : m_areas)
        e.shown.reset();
}

int MapDocument::hitTest(QPointF point) const
{
    const QPoint p(roundToInt(point.x()), roundToInt(point.y()));
    for (qsizetype i = 0; i < m_areas.size(); ++i) {
        if (m_areas[i].region.contains(p))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tavlo
