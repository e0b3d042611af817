#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRegion>

namespace tavlo {

// What a new area brings: its markup record (without the closing quote and ">"),
// the point text from which its outline can be drawn again, and its region.
struct AreaShape {
    QByteArray record;
    QByteArray pts;
    QRegion region;
};

// A rectangle from the press corner to the release corner, in the order dragged.
AreaShape rectArea(int x1, int y1, int x2, int y2);
// A circle; the record carries the radius rounded, the point text the float itself.
AreaShape circleArea(int cx, int cy, float radius);
// A polygon of the vertices in the order placed.
AreaShape polyArea(const QList<QPoint>& vertices);

// The radius as the point text holds it: the 32-bit float with its decimals.
QByteArray radiusText(float radius);

// Field n (from 1) of text, separated by "," when comma is true, else by "|".
// Fields past the last wrap around: with f fields, field f + k is field k.
QByteArray getField(const QByteArray& text, int n, bool comma);

// The number of "|" in a point text: 2 is a circle, 3 a rectangle, more a polygon.
int countPipes(const QByteArray& text);

extern const QByteArray defaultHref;  // "#"
extern const QByteArray targetPrompt; // "Enter a TARGET here, if you would like..."
extern const QByteArray altPrompt;    // "Also enter ALT text, if you would like..."

// The one image map being edited: six lists that run in parallel, one item per
// area, in creation order. Knows nothing of the canvas; emits changed() after every
// operation that alters it.
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

    // Non-empty areaList is the only sign of unsaved work: every save empties it.
    bool hasUnsavedWork() const { return !m_areaList.isEmpty(); }

    // Appends record, point text and region. The drawing tools follow it with
    // addAreaDefaults(); the map reader fills the three text lists itself.
    void addArea(const AreaShape& shape);
    void addAreaDefaults();
    void appendTexts(const QByteArray& href, const QByteArray& target, const QByteArray& alt);

    // Replaces what follows `HREF="` in area i's record with tail, and its three texts.
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
    QList<QByteArray> m_areaList;
    QList<QByteArray> m_ptsList;
    QList<QRegion> m_rgnList;
    QList<QByteArray> m_hrefList;
    QList<QByteArray> m_targetList;
    QList<QByteArray> m_altList;
    int m_aCount = 0;
};

} // namespace tavlo
