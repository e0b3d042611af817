#include "tavlofile/mapreader.h"

#include "tavlofile/markupwriter.h"

#include <QPoint>
#include <QStringList>

#include <algorithm>
#include <cctype>
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
    // Where each name was found; -1 when it was not.
    qsizetype hrefAt = -1;
    qsizetype targetAt = -1;
    qsizetype altAt = -1;
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
            found.hrefAt = i;
            i += hrefName.size();
            found.href = valueAt(text, i, end);
        } else if (!haveTarget && rest.startsWith(targetName)) {
            haveTarget = true;
            found.targetAt = i;
            i += targetName.size();
            found.target = valueAt(text, i, end);
        } else if (!haveAlt && rest.startsWith(altName)) {
            haveAlt = true;
            found.altAt = i;
            i += altName.size();
            found.alt = valueAt(text, i, end);
        } else {
            ++i;
        }
    }
    return found;
}

// A number of a COORDS value: blanks around it ignored, a fraction rounded half to
// even, refused when it is not a number or lies outside an area's range.
std::optional<int> coordinate(QByteArrayView field)
{
    bool ok = false;
    const double v = field.trimmed().toDouble(&ok);
    return ok ? areaCoordinate(v) : std::nullopt;
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

std::optional<MapArea> readRect(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    if (f.size() != 4)
        return std::nullopt;
    const auto x1 = coordinate(f[0]);
    const auto y1 = coordinate(f[1]);
    const auto x2 = coordinate(f[2]);
    const auto y2 = coordinate(f[3]);
    if (!x1 || !y1 || !x2 || !y2)
        return std::nullopt;
    return MapArea::rectangle(QPoint(*x1, *y1), QPoint(*x2, *y2));
}

std::optional<MapArea> readCircle(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    if (f.size() != 3)
        return std::nullopt;
    const auto x = coordinate(f[0]);
    const auto y = coordinate(f[1]);
    bool ok = false;
    const float r = f[2].trimmed().toFloat(&ok);
    if (!x || !y || !ok)
        return std::nullopt;
    return MapArea::circle(QPoint(*x, *y), r);
}

std::optional<MapArea> readPoly(QByteArrayView value)
{
    const QList<QByteArrayView> f = commaFields(value);
    // An odd last value has no partner and is left out.
    const qsizetype count = f.size() / 2;
    if (count < 3)
        return std::nullopt;
    QList<QPoint> vertices;
    vertices.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const auto x = coordinate(f[2 * i]);
        const auto y = coordinate(f[2 * i + 1]);
        if (!x || !y)
            return std::nullopt;
        vertices.append(QPoint(*x, *y));
    }
    return MapArea::polygon(std::move(vertices));
}

QByteArray textOr(QByteArrayView value, const QByteArray& fallback)
{
    return value.isEmpty() ? fallback : unescapeValue(value);
}

// Walks the map section once from its start, knowing at every byte whether it stands
// in text, in a comment, in a tag or in a tag's quoted value: a "<" or ">" inside a
// quoted value neither starts nor ends a tag, and quotes in a comment count for nothing.
class SectionScan {
public:
    enum State { Text, Comment, Tag, Quoted };

    explicit SectionScan(QByteArrayView text)
        : m_text(text)
    {}

    State state() const { return m_state; }
    qsizetype tagStart() const { return m_tagStart; }

    // The state just before the byte at `to`.
    void advanceTo(qsizetype to)
    {
        while (m_pos < to)
            step();
    }

    // The ">" that ends the tag being scanned, or the end of the text.
    qsizetype endOfTag()
    {
        while (m_pos < m_text.size() && (m_state == Tag || m_state == Quoted))
            step();
        return m_state == Text ? m_pos - 1 : m_text.size();
    }

private:
    void step()
    {
        const QByteArrayView rest = m_text.sliced(m_pos);
        switch (m_state) {
        case Text:
            if (rest.startsWith("<!--")) {
                m_tagStart = m_pos;
                m_state = Comment;
                m_pos += 4;
                return;
            }
            // As in HTML, "<" starts a tag only before a name, "/", "!" or "?".
            if (rest.size() > 1 && rest[0] == '<' &&
                (std::isalpha(static_cast<unsigned char>(rest[1])) || rest[1] == '/' ||
                 rest[1] == '!' || rest[1] == '?')) {
                m_tagStart = m_pos;
                m_state = Tag;
            }
            break;
        case Comment:
            if (rest.startsWith("-->")) {
                m_state = Text;
                m_pos += 3;
                return;
            }
            break;
        case Tag:
            if (rest[0] == '"')
                m_state = Quoted;
            else if (rest[0] == '>')
                m_state = Text;
            break;
        case Quoted:
            if (rest[0] == '"')
                m_state = Tag;
            break;
        }
        ++m_pos;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    qsizetype m_tagStart = 0;
    State m_state = Text;
};

// "<area" in any case, followed by what may follow a tag name.
bool isAreaTagAt(QByteArrayView text, qsizetype at)
{
    const QByteArrayView rest = text.sliced(at);
    if (rest.size() < 5 || rest.first(5).compare("<area", Qt::CaseInsensitive) != 0)
        return false;
    return rest.size() == 5 || isBlank(rest[5]) || rest[5] == '>' || rest[5] == '/';
}

struct Attribute {
    QByteArrayView name;
    qsizetype at = 0;       // where the name begins
    QByteArrayView value;   // without its quotes
    qsizetype valueAt = -1; // where the value begins (after its quote); -1 when none
};

// The attributes of the tag [begin, end) as HTML reads them, its name skipped.
QList<Attribute> attributesOf(QByteArrayView text, qsizetype begin, qsizetype end)
{
    QList<Attribute> found;
    qsizetype i = begin + 1;
    while (i < end && !isBlank(text[i]) && text[i] != '>' && text[i] != '/')
        ++i;
    const auto skipBlanks = [&] {
        while (i < end && (isBlank(text[i]) || text[i] == '/'))
            ++i;
    };
    for (;;) {
        skipBlanks();
        if (i >= end || text[i] == '>')
            return found;
        Attribute a;
        a.at = i;
        if (text[i] == '"') {
            // A quoted text with no name before it.
            const qsizetype close = indexIn(text, '"', i + 1, end);
            i = close < 0 ? end : close + 1;
            a.name = text.sliced(a.at, i - a.at);
            found.append(a);
            continue;
        }
        while (i < end && !isBlank(text[i]) && text[i] != '=' && text[i] != '>' && text[i] != '"' &&
               text[i] != '/')
            ++i;
        if (i == a.at)
            ++i; // a lone "=" or the like
        a.name = text.sliced(a.at, i - a.at);
        qsizetype j = i;
        while (j < end && isBlank(text[j]))
            ++j;
        if (j < end && text[j] == '=') {
            i = j + 1;
            while (i < end && isBlank(text[i]))
                ++i;
            if (i < end && text[i] == '"') {
                const qsizetype close = indexIn(text, '"', i + 1, end);
                const qsizetype stop = close < 0 ? end : close;
                a.valueAt = i + 1;
                a.value = text.sliced(i + 1, stop - i - 1);
                i = close < 0 ? end : close + 1;
            } else {
                a.valueAt = i;
                while (i < end && !isBlank(text[i]) && text[i] != '>')
                    ++i;
                a.value = text.sliced(a.valueAt, i - a.valueAt);
            }
        }
        found.append(a);
    }
}

// What of a rebuilt AREA tag the record does not carry: every attribute but the SHAPE,
// the COORDS read and the HREF, Target and ALT read (the last two only when not empty).
QList<QByteArray> droppedFrom(QByteArrayView text, qsizetype begin, qsizetype end,
                              qsizetype coordsAt, const TagTexts& texts, const AreaLinks& links,
                              bool oddCoords)
{
    QList<QByteArray> dropped;
    bool haveShape = false;
    for (const Attribute& a : attributesOf(text, begin, end)) {
        const bool shape = a.name.compare("SHAPE", Qt::CaseInsensitive) == 0 && !haveShape;
        haveShape = haveShape || shape;
        const bool kept = shape || a.at == coordsAt || a.at == texts.hrefAt ||
                          (a.at == texts.targetAt && !links.target.isEmpty()) ||
                          (a.at == texts.altAt && !links.alt.isEmpty());
        if (!kept)
            dropped.append(a.name.toByteArray());
    }
    if (oddCoords)
        dropped.append("the odd last COORDS value");
    return dropped;
}

// Why the AREA tag [begin, end), which no area was read from, is not rebuilt.
AreaNote notRebuilt(QByteArrayView text, qsizetype begin, qsizetype end)
{
    AreaNote note;
    note.tag = begin;
    const QList<Attribute> attributes = attributesOf(text, begin, end);
    const Attribute* coords = nullptr;
    const Attribute* shape = nullptr;
    for (const Attribute& a : attributes) {
        if (!coords && a.name == "COORDS" && a.valueAt >= 0 &&
            text.sliced(a.at + coordsName.size() - 1, 1) == "=")
            coords = &a;
        if (!shape && a.name.compare("SHAPE", Qt::CaseInsensitive) == 0)
            shape = &a;
    }
    if (!coords) {
        note.notRebuilt = NotRebuilt::NoCoords;
    } else if (!shape) {
        note.notRebuilt = NotRebuilt::NoShape;
    } else if (!shape->value.contains("rect") && !shape->value.contains("circle") &&
               !shape->value.contains("poly")) {
        note.notRebuilt = NotRebuilt::UnknownShape;
        note.shape = shape->value.toByteArray();
    } else if (shape->at > coords->at || coords->at - shape->at > shapeWindow) {
        note.notRebuilt = NotRebuilt::ShapeNotBeforeCoords;
    } else {
        note.notRebuilt = NotRebuilt::Other;
    }
    return note;
}

} // namespace

MapRead parseMap(const QByteArray& htmlMap)
{
    const QByteArrayView text(htmlMap);
    MapRead read;
    read.areas.reserve(text.count(coordsName));
    QList<QList<QByteArray>> dropped; // parallel to read.areas
    SectionScan scan(text);
    qsizetype search = 0; // where the next "COORDS=" is looked for
    int number = 0;
    for (;;) {
        const qsizetype coords = text.sliced(search).indexOf(coordsName);
        if (coords < 0)
            break;
        const qsizetype c = search + coords;
        const qsizetype valuePos = c + coordsName.size();
        scan.advanceTo(c);
        qsizetype thisTag = 0;
        qsizetype tagEnd = 0;
        if (scan.state() == SectionScan::Quoted) {
            // "COORDS=" inside a quoted value, such as a picture named "rect
            // COORDS=1,2,3,4 x.gif" in the image tag, is text and not the attribute.
            search = valuePos;
            continue;
        }
        if (scan.state() == SectionScan::Tag) {
            thisTag = scan.tagStart();
            tagEnd = scan.endOfTag();
        } else {
            // In text or a comment (an AREA commented out is read as it always was):
            // the tag is what follows the last "<", up to the next ">".
            const qsizetype lt = text.sliced(search, c - search).lastIndexOf('<');
            thisTag = lt < 0 ? search : search + lt;
            if (text.sliced(thisTag, c - thisTag).count('"') % 2) {
                search = valuePos;
                continue;
            }
            tagEnd = text.sliced(valuePos).indexOf('>');
            tagEnd = tagEnd < 0 ? text.size() : valuePos + tagEnd;
            scan.advanceTo(std::min(tagEnd + 1, text.size()));
        }
        ++number;
        search = std::min(tagEnd + 1, text.size());

        const qsizetype windowEnd = std::min(valuePos + 1, text.size());
        const qsizetype windowStart = std::max<qsizetype>(0, windowEnd - shapeWindow);
        const QByteArrayView shape = text.sliced(windowStart, windowEnd - windowStart);
        const QByteArrayView value = valueAt(text, valuePos, tagEnd);
        std::optional<MapArea> area;
        bool oddCoords = false;
        if (shape.contains("rect")) {
            area = readRect(value);
        } else if (shape.contains("circle")) {
            area = readCircle(value);
        } else if (shape.contains("poly")) {
            area = readPoly(value);
            oddCoords = commaFields(value).size() % 2 == 1;
        } else {
            continue;
        }
        if (!area) {
            read.areas.clear();
            read.refused = RefusedCoords{number, value.toByteArray()};
            return read;
        }

        const TagTexts texts = tagTexts(text, thisTag, tagEnd);
        const AreaLinks links{textOr(texts.href, defaultHref), textOr(texts.target, {}),
                              textOr(texts.alt, {})};
        dropped.append(droppedFrom(text, thisTag, tagEnd, c, texts, links, oddCoords));
        area->setLinks(links);
        ReadArea entry{std::move(*area), number, thisTag};
        read.areas.append(std::move(entry));
    }
    read.noCoords = number == 0;

    // Every AREA tag of the section, in order: either an area was read from it, or the
    // user is told why not, since a save writes the section anew.
    SectionScan where(text);
    qsizetype rebuilt = 0; // the next area read, in file order
    int areaTag = 0;
    for (qsizetype at = text.indexOf('<'); at >= 0; at = text.indexOf('<', at + 1)) {
        if (!isAreaTagAt(text, at))
            continue;
        ++areaTag;
        while (rebuilt < read.areas.size() && read.areas[rebuilt].tag < at)
            ++rebuilt;
        where.advanceTo(at);
        AreaNote note;
        if (rebuilt < read.areas.size() && read.areas[rebuilt].tag == at) {
            if (dropped[rebuilt].isEmpty())
                continue;
            note.tag = at;
            note.dropped = dropped[rebuilt];
        } else if (where.state() == SectionScan::Quoted) {
            note.tag = at;
            note.notRebuilt = NotRebuilt::InsideValue;
        } else if (where.state() == SectionScan::Tag) {
            note.tag = at;
            note.notRebuilt = NotRebuilt::InsideTag;
        } else {
            SectionScan tag(text.sliced(at));
            tag.advanceTo(1);
            note = notRebuilt(text, at, at + tag.endOfTag());
        }
        note.number = areaTag;
        read.notes.append(std::move(note));
    }
    return read;
}

QString notesText(const QList<AreaNote>& notes, int shown)
{
    // Names and values come from the file: cut short, so a long one cannot fill the box.
    const auto readable = [](const QByteArray& bytes) {
        const QString s = QString::fromUtf8(bytes).simplified();
        return s.size() > 24 ? s.first(21) + QStringLiteral("...") : s;
    };
    const QString newline = QStringLiteral("\r\n");
    QString text = QStringLiteral("Saving this map will not write back all of it:") + newline;
    for (qsizetype i = 0; i < notes.size() && i < shown; ++i) {
        const AreaNote& note = notes[i];
        QString what;
        switch (note.notRebuilt) {
        case NotRebuilt::No: {
            QStringList names;
            for (const QByteArray& name :
                 note.dropped.first(std::min<qsizetype>(6, note.dropped.size())))
                names.append(readable(name));
            if (note.dropped.size() > 6)
                names.append(QStringLiteral("%1 more").arg(note.dropped.size() - 6));
            what = QStringLiteral("loses ") + names.join(QStringLiteral(", "));
            break;
        }
        case NotRebuilt::InsideValue:
            what = QStringLiteral("not rebuilt, it stands inside a quoted value");
            break;
        case NotRebuilt::InsideTag:
            what = QStringLiteral("not rebuilt, it stands inside another tag");
            break;
        case NotRebuilt::NoCoords:
            what = QStringLiteral("not rebuilt, it has no COORDS= in capitals");
            break;
        case NotRebuilt::NoShape:
            what = QStringLiteral("not rebuilt, it has no SHAPE");
            break;
        case NotRebuilt::ShapeNotBeforeCoords:
            what = QStringLiteral("not rebuilt, its SHAPE does not come just before COORDS");
            break;
        case NotRebuilt::UnknownShape:
            what = QStringLiteral("not rebuilt, its SHAPE \"%1\" is not rect, circle or poly")
                       .arg(readable(note.shape));
            break;
        case NotRebuilt::Other:
            what = QStringLiteral("not rebuilt");
            break;
        }
        text += newline + QStringLiteral("Area %1: ").arg(note.number) + what + '.';
    }
    if (notes.size() > shown)
        text += newline + QStringLiteral("...and %1 more areas.").arg(notes.size() - shown);
    return text + newline + newline + QStringLiteral("Keep a copy of the page if you need them.");
}

} // namespace tavlo
