#include "html/mapapply.h"

#include "html/foreignpage.h"
#include "html/mapimport.h"
#include "platform/pathops.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"

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

    QByteArray tag(const MapArea& area) const
    {
        if (!m_lower)
            return areaRecord(area) + "\">";
        const AreaLinks links = area.links().value_or(AreaLinks{});
        QByteArray out = QByteArrayLiteral("<area shape=\"") + shapeName(area.kind()) +
                         "\" coords=\"" + coordsText(area) + "\" href=\"" +
                         escapeValue(links.href) + '"';
        if (!links.target.isEmpty())
            out += " target=\"" + escapeValue(links.target) + '"';
        if (!links.alt.isEmpty())
            out += " alt=\"" + escapeValue(links.alt) + '"';
        out += m_selfClosing ? " />" : ">";
        return out;
    }

private:
    bool m_lower = false;
    bool m_selfClosing = false;
};

struct Held {
    const ForeignArea* area;
    MapArea as;
};

// One step of the alignment: a page area kept (both set), gone (wanted -1) or an
// area to come (page -1).
struct Step {
    qsizetype page;
    qsizetype wanted;
};

// The longest common run of unchanged areas. Ends in common are taken first; the
// rest by a table of common lengths when it is small enough, else in order.
std::vector<Step> alignAreas(const std::vector<Held>& held, const QList<MapArea>& wanted)
{
    const qsizetype nh = static_cast<qsizetype>(held.size());
    const qsizetype nw = wanted.size();
    qsizetype head = 0;
    while (head < nh && head < nw && sameArea(held[head].as, wanted[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < nh - head && tail < nw - head &&
           sameArea(held[nh - 1 - tail].as, wanted[nw - 1 - tail]))
        ++tail;
    std::vector<Step> steps;
    steps.reserve(nh + nw);
    for (qsizetype i = 0; i < head; ++i)
        steps.push_back({i, i});
    const qsizetype a = nh - head - tail;
    const qsizetype b = nw - head - tail;
    constexpr qsizetype tableLimit = 4'000'000;
    if (a > 0 && b > 0 && (a + 1) * (b + 1) <= tableLimit) {
        // common[i][j]: the longest common run of page areas from i and wanted from j.
        std::vector<int> common((a + 1) * (b + 1), 0);
        auto at = [&](qsizetype i, qsizetype j) -> int& { return common[i * (b + 1) + j]; };
        for (qsizetype i = a - 1; i >= 0; --i) {
            for (qsizetype j = b - 1; j >= 0; --j)
                at(i, j) = sameArea(held[head + i].as, wanted[head + j])
                               ? at(i + 1, j + 1) + 1
                               : std::max(at(i + 1, j), at(i, j + 1));
        }
        qsizetype i = 0;
        qsizetype j = 0;
        while (i < a || j < b) {
            if (i < a && j < b && sameArea(held[head + i].as, wanted[head + j]) &&
                at(i, j) == at(i + 1, j + 1) + 1) {
                steps.push_back({head + i++, head + j++});
            } else if (i < a && (j == b || at(i + 1, j) >= at(i, j + 1))) {
                steps.push_back({head + i++, -1});
            } else {
                steps.push_back({-1, head + j++});
            }
        }
    } else {
        const qsizetype paired = std::min(a, b);
        for (qsizetype k = 0; k < paired; ++k) {
            if (sameArea(held[head + k].as, wanted[head + k])) {
                steps.push_back({head + k, head + k});
            } else {
                steps.push_back({head + k, -1});
                steps.push_back({-1, head + k});
            }
        }
        for (qsizetype k = paired; k < a; ++k)
            steps.push_back({head + k, -1});
        for (qsizetype k = paired; k < b; ++k)
            steps.push_back({-1, head + k});
    }
    for (qsizetype k = 0; k < tail; ++k)
        steps.push_back({nh - tail + k, nw - tail + k});
    return steps;
}

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
    if (read.refused)
        return fail(MapApply::Status::BadMapFile,
                    QStringLiteral("area %1 of the map file has coordinates the editor cannot "
                                   "use: \"%2\"")
                        .arg(read.refused->area)
                        .arg(QString::fromUtf8(read.refused->value)));
    QList<MapArea> wanted;
    wanted.reserve(read.areas.size());
    for (const ReadArea& a : read.areas)
        wanted.append(a.area);

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
    std::vector<Held> held;
    held.reserve(map->areas.size());
    for (const ForeignArea& a : map->areas) {
        if (const AreaConversion c = importableArea(a); c.area)
            held.push_back({&a, *c.area});
    }

    // Unchanged areas keep their tags: the longest run of them in common, in order,
    // found as a diff finds lines. Between two kept areas, removed and added areas
    // pair up as edits in place; what is left over goes, or comes after them.
    const std::vector<Step> steps = alignAreas(held, wanted);
    const TagStyle style(page, *map);
    const QByteArray br = lineBreakOf(page);
    std::vector<Edit> edits;
    const Held* previous = nullptr; // the last page area passed, kept or edited
    qsizetype s = 0;
    while (s < static_cast<qsizetype>(steps.size())) {
        if (steps[s].page >= 0 && steps[s].wanted >= 0) {
            previous = &held[steps[s].page];
            ++out.kept;
            ++s;
            continue;
        }
        std::vector<qsizetype> gone;
        std::vector<qsizetype> come;
        for (;
             s < static_cast<qsizetype>(steps.size()) && (steps[s].page < 0 || steps[s].wanted < 0);
             ++s) {
            if (steps[s].page >= 0)
                gone.push_back(steps[s].page);
            else
                come.push_back(steps[s].wanted);
        }
        const std::size_t paired = std::min(gone.size(), come.size());
        for (std::size_t k = 0; k < paired; ++k) {
            const Held& h = held[gone[k]];
            edits.push_back({h.area->tag.offset, h.area->tag.length, style.tag(wanted[come[k]])});
            previous = &h;
            ++out.written;
        }
        for (std::size_t k = paired; k < gone.size(); ++k) {
            edits.push_back(removal(page, held[gone[k]].area->tag));
            ++out.removed;
        }
        if (come.size() > paired) {
            QByteArray text;
            if (previous) {
                const SourceSpan& after = previous->area->tag;
                const QByteArray indent = indentOf(page, after);
                for (std::size_t k = paired; k < come.size(); ++k)
                    text += br + indent + style.tag(wanted[come[k]]);
                edits.push_back({after.offset + after.length, 0, text});
            } else if (s < static_cast<qsizetype>(steps.size())) {
                const SourceSpan& before = held[steps[s].page].area->tag;
                const QByteArray indent = indentOf(page, before);
                for (std::size_t k = paired; k < come.size(); ++k)
                    text += style.tag(wanted[come[k]]) + br + indent;
                edits.push_back({before.offset, 0, text});
            } else {
                for (std::size_t k = paired; k < come.size(); ++k)
                    text += br + style.tag(wanted[come[k]]);
                edits.push_back({map->tag.offset + map->tag.length, 0, text + br});
            }
            out.written += static_cast<int>(come.size() - paired);
        }
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
