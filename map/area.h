#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QRegion>

#include <optional>
#include <utility>

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

// One area: its shape, its coordinates and the links its record carries. Only the
// factories make one, so every area has the points its shape needs and every number
// within the coordinate range below; a refused input gives no area.
class MapArea {
public:
    // The press and release corners, in the order dragged.
    [[nodiscard]] static std::optional<MapArea> rectangle(QPoint a, QPoint b);
    // The centre and the radius as drawn, not below 0; the record carries it rounded.
    [[nodiscard]] static std::optional<MapArea> circle(QPoint centre, float radius);
    // Three vertices or more, in the order placed.
    [[nodiscard]] static std::optional<MapArea> polygon(QList<QPoint> vertices);

    AreaKind kind() const { return m_kind; }
    // A rectangle's two corners, a circle's centre, a polygon's vertices.
    const QList<QPoint>& points() const { return m_points; }
    // A circle's radius as drawn; 0 for the other shapes.
    float radius() const { return m_radius; }
    // The numbers of the COORDS value: a circle's radius rounded, half to even.
    [[nodiscard]] QList<int> coordinates() const;

    // An area drawn and never edited carries no links: its record ends at `HREF="`,
    // although the document's lists show "#" and the two prompts for it.
    const std::optional<AreaLinks>& links() const { return m_links; }
    void setLinks(std::optional<AreaLinks> links) { m_links = std::move(links); }

private:
    MapArea(AreaKind kind, QList<QPoint> points, float radius);

    AreaKind m_kind;
    QList<QPoint> m_points;
    float m_radius;
    std::optional<AreaLinks> m_links;
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
[[nodiscard]] std::optional<int> areaCoordinate(double v);
// A position of the mouse, which may lie off the canvas, brought into the range.
[[nodiscard]] int clampedCoordinate(double v);

// The three views of an area, each built here and nowhere else.
// The markup record, without the closing quote and ">" that every writer adds.
[[nodiscard]] QByteArray areaRecord(const MapArea& area);
// The point text from which the outline is drawn again: numbers joined by "|".
[[nodiscard]] QByteArray pointText(const MapArea& area);
// The pixels a click finds the area by.
[[nodiscard]] QRegion areaRegion(const MapArea& area);

// The shape word of the record: "rect", "circle" or "poly".
[[nodiscard]] const char* shapeName(AreaKind kind);
// The COORDS value as the record writes it: the numbers joined by ", ".
[[nodiscard]] QByteArray coordsText(const MapArea& area);

// The pixels of a polygon in alternate filling, kept to the rows and columns a canvas
// shows; a polygon area's region. Any vertices, also beyond the coordinate range.
[[nodiscard]] QRegion polygonRegion(const QList<QPoint>& vertices);

// The radius as the point text holds it: the 32-bit float with its decimals.
[[nodiscard]] QByteArray radiusText(float radius);

// The links that the record tail of the area dialog's answer carries. The dialog
// answers the tail of the HREF typed and of the given target and alt; typing exactly
// "#" writes "#" while the area keeps its own HREF (given.href) for the lists.
[[nodiscard]] AreaLinks tailLinks(const QByteArray& tail, const AreaLinks& given);

enum class FieldSeparator { Comma, Pipe };
// Field n (from 1) of text. Fields past the last wrap around: with f fields, field
// f + k is field k.
[[nodiscard]] QByteArray getField(const QByteArray& text, int n, FieldSeparator separator);

// The number of "|" in a point text: 2 is a circle, 3 a rectangle, more a polygon.
[[nodiscard]] int countPipes(const QByteArray& text);

} // namespace tavlo
