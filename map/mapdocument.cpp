#include "map/mapdocument.h"

#include "platform/rounding.h"

namespace tavlo {

MapDocument::MapDocument(QObject* parent)
    : QObject(parent)
{}

void MapDocument::addArea(const AreaShape& shape)
{
    m_areas.append(shape.area);
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
    if (i < 0 || i >= m_areas.size())
        return;
    MapArea& area = m_areas[i];
    area.links = tailLinks(tail, {href, target, alt});
    m_areaList[i] = areaRecord(area);
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
    m_areas.removeAt(i);
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
    m_areas.clear();
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
