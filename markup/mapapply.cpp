#include "markup/mapapply.h"

#include "markup/foreignpage.h"
#include "markup/htmlpage.h"
#include "markup/mapimport.h"
#include "markup/mapreader.h"
#include "markup/markupwriter.h"
#include "markup/pathops.h"

#include <algorithm>
#include <vector>

namespace tavlo {

namespace {

struct Edit {
    qsizetype offset;
    qsizetype length;
    QByteArray text;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray lineBreakOf(const QByteArray& page)
{
    const qsizetype nl = page.indexOf('\n');
    return nl > 0 && page[nl - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

// The blanks in front of the tag when nothing else stands before it on its line.
QByteArray indentOf(const QByteArray& page, const SourceSpan& tag)
{
    qsizetype start = tag.offset;
    while (start > 0 && isBlank(page[start - 1]))
        --start;
    if (start > 0 && page[start - 1] != '\n')
        return {};
    return page.mid(start, tag.offset - start);
}

// The tag, and its whole line when it stands alone on it, so that no blank line is
// left behind.
Edit removal(const QByteArray& page, const SourceSpan& tag)
{
    qsizetype start = tag.offset;
    while (start > 0 && isBlank(page[start - 1]))
        --start;
    qsizetype end = tag.offset + tag.length;
    while (end < page.size() && isBlank(page[end]))
        ++end;
    if (end < page.size() && page[end] == '\r')
        ++end;
    const bool ownLine =
        (start == 0 || page[start - 1] == '\n') && end < page.size() && page[end] == '\n';
    if (ownLine)
        return {start, end + 1 - start, {}};
    return {tag.offset, tag.length, {}};
}

// A new tag in the case the map's tags already have: Tavlo's own form, or lower case.
class TagStyle {
public:
    explicit TagStyle(const QByteArray& page, const ForeignMap& map)
    {
        if (map.areas.isEmpty())
            return;
        const SourceSpan& t = map.areas.first().tag;
        const QByteArray tag = page.mid(t.offset, t.length);
        m_lower = tag.startsWith("<area");
        m_selfClosing = tag.endsWith("/>");
    }

    QByteArray tag(const TavloArea& area) const
    {
        if (!m_lower)
            return areaShapeOf(area).record + "\">";
        static const char* const shapes[] = {"rect", "circle", "poly", "default"};
        QByteArray coords;
        for (int v : area.coords) {
            if (!coords.isEmpty())
                coords += ", ";
            coords += QByteArray::number(v);
        }
        QByteArray out = QByteArrayLiteral("<area shape=\"") +
                         shapes[static_cast<int>(area.shape)] + "\" coords=\"" + coords +
                         "\" href=\"" + escapeValue(area.href) + '"';
        if (!area.target.isEmpty())
            out += " target=\"" + escapeValue(area.target) + '"';
        if (!area.alt.isEmpty())
            out += " alt=\"" + escapeValue(area.alt) + '"';
        out += m_selfClosing ? " />" : ">";
        return out;
    }

private:
    bool m_lower = false;
    bool m_selfClosing = false;
};

const ForeignMap* mapOfPicture(const ForeignPage& page, const QByteArray& src)
{
    const QString title = fileTitle(QString::fromUtf8(src));
    for (const ForeignImage& img : page.images) {
        if (fileTitle(QString::fromUtf8(img.src)) == title) {
            if (const ForeignMap* map = findMap(page, hashName(img.usemap)))
                return map;
        }
    }
    return nullptr;
}

} // namespace

MapApply applyMap(const QByteArray& mapFile, const QByteArray& page, const QByteArray& mapName)
{
    MapApply out;
    auto fail = [&](MapApply::Status status, const QString& error) {
        out.status = status;
        out.error = error;
        return out;
    };

    if (const QString missing = checkMapTags(mapFile); !missing.isEmpty())
        return fail(
            MapApply::Status::BadMapFile,
            QStringLiteral("not a Tavlo map file: ") +
                missing.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).join(QLatin1Char(' ')));
    ChtmlPage split;
    if (split.parsePage(mapFile, {}) != ChtmlPage::Split::Done)
        return fail(MapApply::Status::BadMapFile,
                    QStringLiteral("not a Tavlo map file: its marker comments are missing or "
                                   "altered"));
    const MapRead read = parseMap(split.htmlMap());
    if (read.status == MapRead::Status::BadCoords)
        return fail(MapApply::Status::BadMapFile,
                    QStringLiteral("area %1 of the map file has coordinates the editor cannot "
                                   "use: \"%2\"")
                        .arg(read.badArea)
                        .arg(QString::fromUtf8(read.badValue)));
    QList<TavloArea> wanted;
    wanted.reserve(read.areas.size());
    for (const ReadArea& a : read.areas)
        wanted.append(tavloAreaOf(a.shape.record, a.href, a.target, a.alt));

    const ForeignPage tavl = readForeignPage(split.htmlMap());
    const ForeignPage target = readForeignPage(page);
    const ForeignMap* map = nullptr;
    QByteArray name = mapName;
    if (name.isEmpty() && !tavl.maps.isEmpty())
        name = tavl.maps.first().name;
    map = findMap(target, name);
    if (!map && mapName.isEmpty() && !tavl.images.isEmpty())
        map = mapOfPicture(target, tavl.images.first().src);
    if (!map)
        return fail(MapApply::Status::NoSuchMap,
                    QStringLiteral("the page has no map named \"%1\" and no <img> of the map "
                                   "file's picture")
                        .arg(QString::fromUtf8(name)));

    // Areas of the page that the map file can stand for, in order; the others stay.
    struct Held {
        const ForeignArea* area;
        TavloArea as;
    };
    std::vector<Held> held;
    held.reserve(map->areas.size());
    for (const ForeignArea& a : map->areas) {
        if (const AreaConversion c = tavloAreaOf(a); c.area)
            held.push_back({&a, *c.area});
    }

    // Unchanged areas at both ends keep their tags; in between, areas are paired in
    // order: an edit changes a tag where it stands, and areas drawn anew come last.
    const qsizetype nh = static_cast<qsizetype>(held.size());
    const qsizetype nw = wanted.size();
    qsizetype head = 0;
    while (head < nh && head < nw && sameArea(held[head].as, wanted[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < nh - head && tail < nw - head &&
           sameArea(held[nh - 1 - tail].as, wanted[nw - 1 - tail]))
        ++tail;
    out.kept = static_cast<int>(head + tail);

    const TagStyle style(page, *map);
    std::vector<Edit> edits;
    const qsizetype midHeld = nh - head - tail;
    const qsizetype midWanted = nw - head - tail;
    const qsizetype paired = std::min(midHeld, midWanted);
    for (qsizetype k = 0; k < paired; ++k) {
        const Held& h = held[head + k];
        if (sameArea(h.as, wanted[head + k])) {
            ++out.kept;
            continue;
        }
        edits.push_back({h.area->tag.offset, h.area->tag.length, style.tag(wanted[head + k])});
        ++out.written;
    }
    for (qsizetype k = paired; k < midHeld; ++k) {
        edits.push_back(removal(page, held[head + k].area->tag));
        ++out.removed;
    }
    if (midWanted > paired) {
        const QByteArray br = lineBreakOf(page);
        QByteArray text;
        // After the last area before the unchanged tail, else before the tail's first,
        // else just inside the map.
        const qsizetype before = head + paired;
        if (before > 0) {
            const SourceSpan& after = held[before - 1].area->tag;
            const QByteArray indent = indentOf(page, after);
            for (qsizetype k = head + paired; k < head + midWanted; ++k)
                text += br + indent + style.tag(wanted[k]);
            edits.push_back({after.offset + after.length, 0, text});
        } else if (tail > 0) {
            const SourceSpan& first = held[nh - tail].area->tag;
            const QByteArray indent = indentOf(page, first);
            for (qsizetype k = head + paired; k < head + midWanted; ++k)
                text += style.tag(wanted[k]) + br + indent;
            edits.push_back({first.offset, 0, text});
        } else {
            for (qsizetype k = head + paired; k < head + midWanted; ++k)
                text += br + style.tag(wanted[k]);
            edits.push_back({map->tag.offset + map->tag.length, 0, text + br});
        }
        out.written += static_cast<int>(midWanted - paired);
    }

    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.offset < b.offset; });
    qsizetype size = page.size();
    for (const Edit& e : edits)
        size += e.text.size() - e.length;
    out.page.reserve(size);
    qsizetype at = 0;
    for (const Edit& e : edits) {
        out.page += QByteArrayView(page).sliced(at, e.offset - at);
        out.page += e.text;
        at = e.offset + e.length;
    }
    out.page += QByteArrayView(page).sliced(at);
    return out;
}

} // namespace tavlo
