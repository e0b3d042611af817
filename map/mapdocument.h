#pragma once

#include "map/area.h"

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRegion>

#include <optional>

namespace tavlo {

// The one image map being edited: its areas in creation order, each with the three
// texts the area dialog shows for it. Those differ from the links its record carries
// for an area never edited ("#" and the two prompts) and after "#" was typed (the area
// keeps its own HREF). The six lists the window reads are views of the areas.
// clearAreas and clearLists empty the two sides apart: the texts of cleared areas stay
// in the text lists until clearLists. Knows nothing of the canvas.
class MapDocument {
public:
    // Built from the areas on every call, so that none can go stale.
    [[nodiscard]] QList<QByteArray> areaList() const;
    [[nodiscard]] QList<QByteArray> ptsList() const;
    [[nodiscard]] QList<QRegion> rgnList() const;
    [[nodiscard]] QList<QByteArray> hrefList() const;
    [[nodiscard]] QList<QByteArray> targetList() const;
    [[nodiscard]] QList<QByteArray> altList() const;

    qsizetype size() const { return m_areas.size(); }
    const MapArea& area(qsizetype i) const { return m_areas[i].area; }
    const QRegion& region(qsizetype i) const { return m_areas[i].region; }

    // Non-empty areaList is the only sign of unsaved work: every save empties it.
    bool hasUnsavedWork() const { return !m_areas.isEmpty(); }

    // An area drawn: addAreaDefaults gives it "#" and the two prompts to show.
    void addArea(const MapArea& area);
    // An area read from a file, with the texts its tag gave.
    void addArea(const MapArea& area, const AreaLinks& shown);

    // The area dialog's answer for area i: its record carries the links of tail (the
    // dialog's tmpHREF), its texts become those shown.
    void replaceTail(int i, const QByteArray& tail, const AreaLinks& shown);
    void deleteArea(int i);

    // Empties records, point texts and regions; the three text lists stay.
    void clearAreas();
    // Empties the HREF, TARGET and ALT lists.
    void clearLists();

    // Index of the first area whose region holds the point (rounded to whole pixels),
    // or -1.
    [[nodiscard]] int hitTest(QPointF point) const;

private:
    struct Entry {
        MapArea area;
        std::optional<AreaLinks> shown; // none once clearLists emptied the texts
        QRegion region;                 // kept: every pointer move tests it
    };
    QList<QByteArray> texts(QByteArray AreaLinks::*text) const;

    QList<Entry> m_areas;
    // The texts of areas that clearAreas removed, shown first until clearLists.
    QList<AreaLinks> m_leftTexts;
};

} // namespace tavlo
