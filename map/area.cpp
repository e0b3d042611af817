#include "map/area.h"

#include "platform/rounding.h"

#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tavlo {

QByteArray escapeValue(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray unescapeValue(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QByteArrayView rest = value.sliced(i);
        if (rest.startsWith("&quot;")) {
            out += '"';
            i += 5;
        } else if (rest.startsWith("&lt;")) {
            out += '<';
            i += 3;
        } else if (rest.startsWith("&gt;")) {
            out += '>';
            i += 3;
        } else {
            out += value[i];
        }
    }
    return out;
}

QByteArray recordTail(const QByteArray& href, const QByteArray& target, const QByteArray& alt)
{
    QByteArray tail = escapeValue(href);
    if (!target.isEmpty())
        tail += "\" Target=\"" + escapeValue(target);
    if (!alt.isEmpty())
        tail += "\" ALT=\"" + escapeValue(alt);
    return tail;
}

const QByteArray defaultHref = QByteArrayLiteral("#");
const QByteArray targetPrompt = QByteArrayLiteral("Enter a TARGET here, if you would like...");
const QByteArray altPrompt = QByteArrayLiteral("Also enter ALT text, if you would like...");

namespace {

// A rectangle region holds its left and top edges but not its right and bottom ones.
QRect orderedRect(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
}

// Regions are built here row by row rather than by QRegion's own polygon and ellipse
// makers, which take time quadratic in the number of rows (tens of seconds for a shape
// a few ten thousand pixels tall) and give up on shapes taller than 100000 rows. Only
// the rows and columns a canvas can show, the 16-bit range, are kept.
constexpr int shownLow = lowestCoordinate;
constexpr int shownHigh = highestCoordinate;

// A polygon of a file may have any number of vertices; past this many crossings of an
// edge and a row its region is its bounding box, so that a pathological map still
// opens in a few seconds. A drawn polygon, 256 vertices on a picture of at most 32767
// rows, stays within it.
constexpr std::int64_t crossingBudget = std::int64_t{256} * 32768;

struct Span {
    int x1; // first column
    int x2; // one past the last
    bool operator==(const Span&) const = default;
};

// Rows of spans to a banded QRegion: spans of a row sorted and apart, rows from top to
// bottom, a row equal to the one above it merged into its band, as QRegion keeps them.
class BandBuilder {
public:
    void addRow(int y, const std::vector<Span>& spans)
    {
        if (spans.empty())
            return;
        if (y == m_bandBottom + 1 && spans == m_bandSpans) {
            for (std::size_t i = m_bandStart; i < m_rects.size(); ++i)
                m_rects[i].setBottom(y);
            m_bandBottom = y;
            return;
        }
        m_bandStart = m_rects.size();
        m_bandSpans = spans;
        m_bandBottom = y;
        for (const Span& s : spans)
            m_rects.push_back(QRect(s.x1, y, s.x2 - s.x1, 1));
    }

    QRegion region() const
    {
        QRegion r;
        r.setRects(m_rects.data(), static_cast<int>(m_rects.size()));
        return r;
    }

private:
    std::vector<QRect> m_rects;
    std::vector<Span> m_bandSpans;
    std::size_t m_bandStart = 0;
    int m_bandBottom = shownLow - 2;
};

int shownColumn(std::int64_t x)
{
    return static_cast<int>(std::clamp<std::int64_t>(x, shownLow, shownHigh + 1));
}

// One polygon edge, stepped from row to row with exact integer arithmetic: at each row
// the first column at or after the exact crossing, as QRegion's polygon scan conversion
// gives it, so that regions stay what they were.
class Edge {
public:
    Edge(QPoint a, QPoint b)
    {
        const QPoint top = a.y() < b.y() ? a : b;
        const QPoint bottom = a.y() < b.y() ? b : a;
        m_top = top.y();
        m_last = std::int64_t{bottom.y()} - 1;
        m_dy = static_cast<std::uint64_t>(std::int64_t{bottom.y()} - top.y());
        const std::int64_t dx = std::int64_t{bottom.x()} - top.x();
        m_left = dx < 0;
        const std::uint64_t adx = static_cast<std::uint64_t>(m_left ? -dx : dx);
        m_whole = static_cast<std::int64_t>(adx / m_dy);
        m_rest = adx % m_dy;
        m_base = top.x();
    }

    std::int64_t top() const { return m_top; }
    std::int64_t last() const { return m_last; }

    // Moves to row y (at or below the current one, on the first call any row of the edge).
    void moveTo(std::int64_t y)
    {
        // Fewer steps than dy remain, so the products stay below 2^64 and the move below
        // the edge's own width.
        const auto steps = static_cast<std::uint64_t>(y - (m_top + m_k));
        m_k += static_cast<std::int64_t>(steps);
        if (steps == 1) {
            // The usual step, without a division.
            m_rem += m_rest;
            const bool carry = m_rem >= m_dy;
            if (carry)
                m_rem -= m_dy;
            const std::int64_t move = m_whole + carry;
            m_base += m_left ? -move : move;
            return;
        }
        const std::uint64_t t = m_rem + steps * m_rest;
        m_rem = t % m_dy;
        const std::int64_t move =
            static_cast<std::int64_t>(steps) * m_whole + static_cast<std::int64_t>(t / m_dy);
        m_base += m_left ? -move : move;
    }

    // The first column at or after the exact crossing.
    std::int64_t x() const { return m_left ? m_base : m_base + (m_rem > 0); }

private:
    std::int64_t m_top = 0;
    std::int64_t m_last = 0;
    std::uint64_t m_dy = 1;
    bool m_left = false;
    std::int64_t m_whole = 0; // whole columns per row
    std::uint64_t m_rest = 0; // and the remainder, in 1/dy columns
    std::int64_t m_base = 0;  // top x plus the whole part of the move so far
    std::uint64_t m_rem = 0;  // the fraction of the move so far, in 1/dy columns
    std::int64_t m_k = 0;     // rows below the top
};

// The ellipse inside box: a pixel belongs to it when its centre does.
QRegion ellipseRegion(const QRect& box)
{
    if (box.isEmpty())
        return {};
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    const double cx = box.x() + a;
    const double cy = box.y() + b;
    const int first = std::max(box.top(), shownLow);
    const int last = std::min(box.bottom(), shownHigh);
    BandBuilder bands;
    std::vector<Span> row(1);
    for (int y = first; y <= last; ++y) {
        const double v = (y + 0.5 - cy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - v * v));
        const int x1 = shownColumn(static_cast<std::int64_t>(std::ceil(cx - half - 0.5)));
        const int x2 = shownColumn(static_cast<std::int64_t>(std::floor(cx + half - 0.5)) + 1);
        if (x1 >= x2)
            continue;
        row[0] = {x1, x2};
        bands.addRow(y, row);
    }
    return bands.region();
}

QByteArray joined(const QList<int>& values, const char* separator)
{
    QByteArray out;
    for (int v : values) {
        if (!out.isEmpty())
            out += separator;
        out += QByteArray::number(v);
    }
    return out;
}

bool inRange(int v)
{
    return v >= lowestCoordinate && v <= highestCoordinate;
}

bool inRange(QPoint p)
{
    return inRange(p.x()) && inRange(p.y());
}

} // namespace

// Alternate (even-odd) filling: on each row, the spans between the first and second
// crossing, the third and fourth, and so on; the top row of an edge counts, its bottom
// row does not, nor does a column at a right-hand crossing.
QRegion polygonRegion(const QList<QPoint>& vertices)
{
    if (vertices.size() < 3)
        return {};
    std::vector<Edge> edges;
    edges.reserve(static_cast<std::size_t>(vertices.size()));
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    for (qsizetype i = 0; i < vertices.size(); ++i) {
        const QPoint a = vertices[i];
        const QPoint b = vertices[(i + 1) % vertices.size()];
        if (a.y() == b.y())
            continue;
        edges.emplace_back(a, b);
        first = std::min(first, edges.back().top());
        last = std::max(last, edges.back().last());
    }
    first = std::max<std::int64_t>(first, shownLow);
    last = std::min<std::int64_t>(last, shownHigh);
    if (edges.empty() || first > last)
        return {};

    std::int64_t crossings = 0;
    for (const Edge& e : edges) {
        const std::int64_t rows = std::min(e.last(), last) - std::max(e.top(), first) + 1;
        crossings += std::max<std::int64_t>(rows, 0);
    }
    if (crossings > crossingBudget) {
        int left = shownHigh + 1;
        int right = shownLow;
        for (const QPoint& p : vertices) {
            left = std::min(left, shownColumn(p.x()));
            right = std::max(right, shownColumn(p.x()));
        }
        return QRegion(QRect(QPoint(left, static_cast<int>(first)),
                             QPoint(right - 1, static_cast<int>(last))));
    }

    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.top() < b.top(); });
    // Active edges with their columns on the current row, kept in column order: from
    // one row to the next the order barely changes, so an insertion sort is linear.
    struct Crossing {
        Edge* edge;
        std::int64_t x;
    };
    std::vector<Crossing> active;
    std::vector<Span> spans;
    BandBuilder bands;
    std::size_t next = 0;
    while (next < edges.size() && edges[next].top() < first) {
        if (edges[next].last() >= first)
            active.push_back({&edges[next], 0});
        ++next;
    }
    for (std::int64_t y = first; y <= last; ++y) {
        while (next < edges.size() && edges[next].top() == y)
            active.push_back({&edges[next++], 0});
        std::erase_if(active, [y](const Crossing& c) { return c.edge->last() < y; });
        for (std::size_t i = 0; i < active.size(); ++i) {
            active[i].edge->moveTo(y);
            active[i].x = active[i].edge->x();
            for (std::size_t j = i; j > 0 && active[j].x < active[j - 1].x; --j)
                std::swap(active[j], active[j - 1]);
        }
        spans.clear();
        for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
            const int x1 = shownColumn(active[i].x);
            const int x2 = shownColumn(active[i + 1].x);
            if (x1 == x2)
                continue;
            if (!spans.empty() && spans.back().x2 == x1)
                spans.back().x2 = x2;
            else
                spans.push_back({x1, x2});
        }
        bands.addRow(static_cast<int>(y), spans);
    }
    return bands.region();
}

MapArea::MapArea(AreaKind kind, QList<QPoint> points, float radius)
    : m_kind(kind)
    , m_points(std::move(points))
    , m_radius(radius)
{}

std::optional<MapArea> MapArea::rectangle(QPoint a, QPoint b)
{
    if (!inRange(a) || !inRange(b))
        return std::nullopt;
    return MapArea(AreaKind::Rect, {a, b}, 0);
}

std::optional<MapArea> MapArea::circle(QPoint centre, float radius)
{
    // Written so that NaN fails too; the rounded radius must fit like x and y.
    if (!inRange(centre) || !(radius >= 0) || !areaCoordinate(radius))
        return std::nullopt;
    return MapArea(AreaKind::Circle, {centre}, radius);
}

std::optional<MapArea> MapArea::polygon(QList<QPoint> vertices)
{
    if (vertices.size() < 3 ||
        !std::all_of(vertices.cbegin(), vertices.cend(), [](QPoint p) { return inRange(p); }))
        return std::nullopt;
    return MapArea(AreaKind::Poly, std::move(vertices), 0);
}

QList<int> MapArea::coordinates() const
{
    if (m_kind == AreaKind::Circle)
        return {m_points[0].x(), m_points[0].y(), roundToInt(m_radius)};
    QList<int> values;
    values.reserve(2 * m_points.size());
    for (const QPoint& p : m_points)
        values << p.x() << p.y();
    return values;
}

const char* shapeName(AreaKind kind)
{
    switch (kind) {
    case AreaKind::Circle:
        return "circle";
    case AreaKind::Poly:
        return "poly";
    case AreaKind::Rect:
        break;
    }
    return "rect";
}

QByteArray coordsText(const MapArea& area)
{
    return joined(area.coordinates(), ", ");
}

std::optional<int> areaCoordinate(double v)
{
    const double whole = roundHalfEven(v);
    // Written so that NaN fails too.
    if (!(whole >= lowestCoordinate && whole <= highestCoordinate))
        return std::nullopt;
    return static_cast<int>(whole);
}

int clampedCoordinate(double v)
{
    return std::clamp(roundToInt(v), lowestCoordinate, highestCoordinate);
}

QByteArray areaRecord(const MapArea& area)
{
    QByteArray record = QByteArrayLiteral("<AREA SHAPE=\"") + shapeName(area.kind()) +
                        QByteArrayLiteral("\" COORDS=\"") + coordsText(area) +
                        QByteArrayLiteral("\" HREF=\"");
    if (const std::optional<AreaLinks>& links = area.links())
        record += recordTail(links->href, links->target, links->alt);
    return record;
}

QByteArray pointText(const MapArea& area)
{
    if (area.kind() != AreaKind::Circle)
        return joined(area.coordinates(), "|");
    const QPoint centre = area.points()[0];
    return QByteArray::number(centre.x()) + '|' + QByteArray::number(centre.y()) + '|' +
           radiusText(area.radius());
}

QRegion areaRegion(const MapArea& area)
{
    const QPoint a = area.points()[0];
    switch (area.kind()) {
    case AreaKind::Rect: {
        const QPoint b = area.points()[1];
        return QRegion(orderedRect(a.x(), a.y(), b.x(), b.y()));
    }
    case AreaKind::Circle: {
        const double r = area.radius();
        const int left = roundToInt(a.x() - r);
        const int top = roundToInt(a.y() - r);
        const int right = roundToInt(a.x() + r);
        const int bottom = roundToInt(a.y() + r);
        return ellipseRegion(
            QRect(QPoint(left, top), QSize(std::max(0, right - left), std::max(0, bottom - top))));
    }
    case AreaKind::Poly:
        break;
    }
    return polygonRegion(area.points());
}

QByteArray radiusText(float radius)
{
    // Seven significant digits, the way a 32-bit float prints: 42.72002, 42.5, 7.
    return QByteArray::number(static_cast<double>(radius), 'g', 7);
}

AreaLinks tailLinks(const QByteArray& tail, const AreaLinks& given)
{
    // The HREF is escaped in the tail, so its first double quote ends it.
    const qsizetype quote = tail.indexOf('"');
    const QByteArray written = quote < 0 ? tail : tail.left(quote);
    AreaLinks links = given;
    if (written != escapeValue(given.href))
        links.href = unescapeValue(written);
    return links;
}

QByteArray getField(const QByteArray& text, int n, FieldSeparator by)
{
    const char separator = by == FieldSeparator::Comma ? ',' : '|';
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

} // namespace tavlo
