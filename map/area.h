#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QRegion>

#include <optional>

namespace tavlo {

extern const QByteArray defaultHref;  // "#"
extern const QByteArray targetPrompt; // "Enter a TARGET here, if you would like..."
extern const QByteArray altPrompt;    // "Also enter ALT text, if you would like..."

enum class AreaKind { Rect, Circle, Poly };

// The links of one area as typed or read, not escaped.
struct AreaLinks {
    QByteArray href;
    QByteArray target;
    QByteArray alt;
    bool operator==(const AreaLinks&) const = default;
};

// One area: its shape, its coordinates and the links its record carries.
struct MapArea {
    AreaKind kind = AreaKind::Rect;
    // Rect: the press and release corners, in the order dragged. Circle: the centre.
    // Poly: the vertices, in the order placed.
    QList<QPoint> points;
    // Circle only: the radius as drawn; the record carries it rounded.
    float radius = 0;
    // An area drawn and never edited carries no links: its record ends at `HREF="`,
    // although the document's lists show "#" and the two prompts for it.
    std::optional<AreaLinks> links;
};

// Double quotes, "<" and ">" in a value become &quot; &lt; &gt; so no value can
// break the tag or the page around it. Nothing else is touched.
QByteArray escapeValue(QByteArrayView value);
// Exactly the three entities escapeValue writes, back into their characters.
QByteArray unescapeValue(QByteArrayView value);

// What follows `HREF="` in an area's record: the HREF, then the TARGET and ALT parts
// when they are not empty. Values are escaped; no closing quote is added.
QByteArray recordTail(const QByteArray& href, const QByteArray& target, const QByteArray& alt);

// Every number of an area, each coordinate and a circle's radius, lies in the 16-bit
// range that the canvas shows (pictures are at most 32767 pixels each way), so that
// no computation on an area can overflow an int. A file's area with a number outside
// it is refused, never clamped.
constexpr int lowestCoordinate = -32768;
constexpr int highestCoordinate = 32767;
// A number as an area holds it, rounded half to even; nothing when it lies outside
// the range or is not finite.
std::optional<int> areaCoordinate(double v);
// A position of the mouse, which may lie off the canvas, brought into the range.
int clampedCoordinate(double v);

// The three views of an area, each built here and nowhere else.
// The markup record, without the closing quote and ">" that every writer adds.
QByteArray areaRecord(const MapArea& area);
// The point text from which the outline is drawn again: numbers joined by "|".
QByteArray pointText(const MapArea& area);
// The pixels a click finds the area by.
QRegion areaRegion(const MapArea& area);

// An area with its views, built once.
struct AreaShape {
    QByteArray record;
    QByteArray pts;
    QRegion region;
    MapArea area;
};
AreaShape shapeOf(MapArea area);

// A rectangle from the press corner to the release corner, in the order dragged.
AreaShape rectArea(int x1, int y1, int x2, int y2);
// A circle; the record carries the radius rounded, the point text the float itself.
AreaShape circleArea(int cx, int cy, float radius);
// A polygon of the vertices in the order placed.
AreaShape polyArea(const QList<QPoint>& vertices);

// The radius as the point text holds it: the 32-bit float with its decimals.
QByteArray radiusText(float radius);

// The links that the record tail of the area dialog's answer carries. The dialog
// answers the tail of the HREF typed and of the given target and alt; typing exactly
// "#" writes "#" while the area keeps its own HREF (given.href) for the lists.
AreaLinks tailLinks(const QByteArray& tail, const AreaLinks& given);

// Field n (from 1) of text, separated by "," when comma is true, else by "|".
// Fields past the last wrap around: with f fields, field f + k is field k.
QByteArray getField(const QByteArray& text, int n, bool comma);

// The number of "|" in a point text: 2 is a circle, 3 a rectangle, more a polygon.
int countPipes(const QByteArray& text);

} // namespace tavlo
