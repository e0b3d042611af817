#include "markup/mapreader.h"

#include "editor/rounding.h"
#include "markup/markupwriter.h"

#include <QPoint>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tavlo {

QString checkMapTags(const QByteArray& text)
{
    QString error;
    if (!text.contains(creditComment))
        error += QStringLiteral("Copyright tag missing or altered.\r\n");
    if (!text.contains("COORDS="))
        error += QStringLiteral("Area tags missing or altered.\r\n");
    if (!text.contains("<img src="))
        error += QStringLiteral("Image tag missing or altered.");
    return error;
}

namespace {

constexpr QByteArrayView coordsName("COORDS=");
constexpr QByteArrayView hrefName("HREF=");
constexpr QByteArrayView targetName("Target=");
constexpr QByteArrayView altName("ALT=");
// The shape is told from this many characters ending just after `COORDS="`.
constexpr qsizetype shapeWindow = 20;

// Every search below is bounded to one tag, and the next tag is looked for after
// it, so a map is read in one pass however many areas it holds.
qsizetype indexIn(QByteArrayView text, char c, qsizetype from, qsizetype to)
{
    const qsizetype i = text.sliced(from, to - from).indexOf(c);
    return i < 0 ? -1 : from + i;
}

// ASCII only: a Latin-1 byte such as 0xA0 is part of a value.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value that begins at pos, just after "NAME=": in double quotes up to the closing
// one, else up to the next blank; never past limit.
QByteArrayView valueAt(QByteArrayView text, qsizetype pos, qsizetype limit)
{
    if (pos >= limit)
        return {};
    if (text[pos] == '"') {
        const qsizetype close = indexIn(text, '"', pos + 1, limit);
        const qsizetype end = close < 0 ? limit : close;
        return text.sliced(pos + 1, end - pos - 1);
    }
    qsizetype end = pos;
    while (end < limit && !isBlank(text[end]))
        ++end;
    return text.sliced(pos, end - pos);
}

struct TagTexts {
    QByteArrayView href;
    QByteArrayView target;
    QByteArrayView alt;
};

// HREF, Target and ALT of the tag [begin, end), in any order. Quoted values are
// stepped over, so an attribute name inside another value is not taken for one.
TagTexts tagTexts(QByteArrayView text, qsizetype begin, qsizetype end)
{
    TagTexts found;
    bool haveHref = false;
    bool haveTarget = false;
    bool haveAlt = false;
    qsizetype i = begin;
    while (i < end) {
        const QByteArrayView rest = text.sliced(i, end - i);
        if (text[i] == '"') {
            const qsizetype close = indexIn(text, '"', i + 1, end);
            i = close < 0 ? end : close + 1;
        } else if (!haveHref && rest.startsWith(hrefName)) {
            haveHref = true;
            i += hrefName.size();
            found.href = valueAt(text, i, end);
        } else if (!haveTarget && rest.startsWith(targetName)) {
            haveTarget = true;
            i += targetName.size();
            found.target = valueAt(text, i, end);
        } else if (!haveAlt && rest.startsWith(altName)) {
            haveAlt = true;
            i += altName.size();
            found.alt = valueAt(text, i, end);
        } else {
            ++i;
        }
    }
    return found;
}

// A number of a COORDS value: blanks around it ignored, a fraction rounded half to
// even, refused when it is not a number or the result does not lie in [low, high].
std::optional<int> wholeNumber(QByteArrayView field, double low, double high)
{
    bool ok = false;
    const double v = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double whole = roundHalfEven(v);
    if (whole < low || whole > high)
        return std::nullopt;
    return static_cast<int>(whole);
}

std::optional<int> int16Number(QByteArrayView field)
{
    return wholeNumber(field, std::numeric_limits<int16_t>::min(),
                       std::numeric_limits<int16_t>::max());
}

std::optional<int> int32Number(QByteArrayView field)
{
    return wholeNumber(field, std::numeric_limits<int32_t>::min(),
                       std::numeric_limits<int32_t>::max());
}

QList<QByteArrayView> commaFields(QByteArrayView value)
{
    QList<QByteArrayView> fields;
    qsizetype from = 0;
    for (;;) {
        const qsizetype comma = value.sliced(from).indexOf(',');
        if (comma < 0) {
            fields.append(value.sliced(from));
            return fields;
        }
        fields.append(value.sliced(from, comma));
        from += comma + 1;
    }
}

std::optional<AreaShape> readRect(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    if (f.size() != 4)
        return std::nullopt;
    const auto x1 = int16Number(f[0]);
    const auto y1 = int16Number(f[1]);
    const auto x2 = int16Number(f[2]);
    const auto y2 = int16Number(f[3]);
    if (!x1 || !y1 || !x2 || !y2)
        return std::nullopt;
    return rectArea(*x1, *y1, *x2, *y2);
}

std::optional<AreaShape> readCircle(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    if (f.size() != 3)
        return std::nullopt;
    const auto x = int16Number(f[0]);
    const auto y = int16Number(f[1]);
    bool ok = false;
    const float r = f[2].trimmed().toFloat(&ok);
    // The record carries the radius as a whole number, which must fit like x and y.
    if (!x || !y || !ok || !(r >= 0) || roundHalfEven(r) > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return circleArea(*x, *y, r);
}

std::optional<AreaShape> readPoly(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    // An odd last value has no partner and is left out.
    const qsizetype count = f.size() / 2;
    if (count < 3)
        return std::nullopt;
    QList<QPoint> vertices;
    vertices.reserve(count);
    qint64 top = std::numeric_limits<int32_t>::max();
    qint64 bottom = std::numeric_limits<int32_t>::min();
    for (qsizetype i = 0; i < count; ++i) {
        const auto x = int32Number(f[2 * i]);
        const auto y = int32Number(f[2 * i + 1]);
        if (!x || !y)
            return std::nullopt;
        vertices.append(QPoint(*x, *y));
        top = std::min<qint64>(top, *y);
        bottom = std::max<qint64>(bottom, *y);
    }
    // QRegion never finishes a polygon whose height does not fit 32 bits.
    if (bottom - top > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return polyArea(vertices);
}

QByteArray textOr(QByteArrayView value, const QByteArray& fallback)
{
    return value.isEmpty() ? fallback : unescapeValue(value);
}

} // namespace

MapRead parseMap(const QByteArray& htmlMap)
{
    const QByteArrayView text(htmlMap);
    MapRead read;
    read.areas.reserve(text.count(coordsName));
    qsizetype search = 0;    // where the next "COORDS=" is looked for
    qsizetype tagStart = 0;  // the "<" of the tag being read, or just after the last one
    qsizetype quoteScan = 0; // how far the tag's quotes have been counted
    bool quoted = false;     // whether quoteScan lies inside a quoted value
    int number = 0;
    for (;;) {
        const qsizetype coords = text.sliced(search).indexOf(coordsName);
        if (coords < 0)
            break;
        const qsizetype c = search + coords;
        if (const qsizetype lt = text.sliced(search, c - search).lastIndexOf('<'); lt >= 0) {
            tagStart = search + lt;
            quoteScan = tagStart;
            quoted = false;
        }
        // "COORDS=" inside a quoted value, such as a picture named "rect COORDS=1,2,3,4
        // x.gif" in the image tag, is text and not the attribute. The count goes on from
        // where it stopped, so a tag full of such values is still read in one pass.
        for (; quoteScan < c; ++quoteScan) {
            if (text[quoteScan] == '"')
                quoted = !quoted;
        }
        if (quoted) {
            search = c + coordsName.size();
            continue;
        }
        ++number;
        const qsizetype valuePos = c + coordsName.size();
        qsizetype tagEnd = text.sliced(valuePos).indexOf('>');
        tagEnd = tagEnd < 0 ? text.size() : valuePos + tagEnd;
        const qsizetype thisTag = tagStart;
        search = std::min(tagEnd + 1, text.size());
        tagStart = search;
        quoteScan = search;

        const qsizetype windowEnd = std::min(valuePos + 1, text.size());
        const qsizetype windowStart = std::max<qsizetype>(0, windowEnd - shapeWindow);
        const QByteArrayView shape = text.sliced(windowStart, windowEnd - windowStart);
        const QByteArrayView value = valueAt(text, valuePos, tagEnd);
        std::optional<AreaShape> area;
        if (shape.contains("rect"))
            area = readRect(value);
        else if (shape.contains("circle"))
            area = readCircle(value);
        else if (shape.contains("poly"))
            area = readPoly(value);
        else
            continue;
        if (!area) {
            read.status = MapRead::Status::BadCoords;
            read.areas.clear();
            read.badArea = number;
            read.badValue = value.toByteArray();
            return read;
        }

        const TagTexts texts = tagTexts(text, thisTag, tagEnd);
        ReadArea entry;
        entry.href = textOr(texts.href, defaultHref);
        entry.target = textOr(texts.target, {});
        entry.alt = textOr(texts.alt, {});
        entry.number = number;
        entry.shape = std::move(*area);
        entry.shape.record += recordTail(entry.href, entry.target, entry.alt);
        read.areas.append(std::move(entry));
    }
    if (number == 0)
        read.status = MapRead::Status::NoCoords;
    return read;
}

} // namespace tavlo
