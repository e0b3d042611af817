#pragma once

#include "map/area.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRegion>

namespace tavlo {

// The one image map being edited: one value per area, in creation order, and the six
// lists that the window reads. areaList, ptsList and rgnList are views of the values;
// hrefList, targetList and altList hold what the area dialog shows for each area, which
// differs from the links its record carries for an area never edited ("#" and the two
// prompts) and after "#" was typed (the area keeps its own HREF). At rest all run in
// parallel; clearAreas and clearLists empty the two sides apart. Knows nothing of the
// canvas; emits changed() after every operation that alters it.
class MapDocument : public QObject {
    Q_OBJECT

public:
    explicit MapDocument(QObject* parent = nullptr);

    const QList<QByteArray>& areaList() const { return m_areaList; }
    const QList<QByteArray>& ptsList() const { return m_ptsList; }
    const QList<QRegion>& rgnList() const { return m_rgnList; }
    const QList<QByteArray>& hrefList() const { return m_hrefList; }
    const QList<QByteArray>& targetList() const { return m_targetList; }
    const QList<QByteArray>& altList() const { return m_altList; }
    int aCount() const { return m_aCount; }
    const QList<MapArea>& areas() const { return m_areas; }

    // Non-empty areaList is the only sign of unsaved work: every save empties it.
    bool hasUnsavedWork() const { return !m_areaList.isEmpty(); }

    // Appends record, point text and region. The drawing tools follow it with
    // addAreaDefaults(); the map reader fills the three text lists itself.
    void addArea(const AreaShape& shape);
    void addAreaDefaults();
    void appendTexts(const QByteArray& href, const QByteArray& target, const QByteArray& alt);

    // The area dialog's answer for area i: its record carries the links of tail (the
    // dialog's tmpHREF), its three texts become href, target and alt.
    void replaceTail(int i, const QByteArray& tail, const QByteArray& href,
                     const QByteArray& target, const QByteArray& alt);
    void deleteArea(int i);

    // Empties records, point texts and regions; the three text lists stay.
    void clearAreas();
    // Empties the HREF, TARGET and ALT lists.
    void clearLists();

    // Index of the first area whose region holds the point (rounded to whole pixels),
    // or -1.
    int hitTest(QPointF point) const;

signals:
    void changed();

private:
    QList<MapArea> m_areas;
    QList<QByteArray> m_areaList;
    QList<QByteArray> m_ptsList;
    QList<QRegion> m_rgnList;
    QList<QByteArray> m_hrefList;
    QList<QByteArray> m_targetList;
    QList<QByteArray> m_altList;
    int m_aCount = 0;
};

} // namespace tavlo
