#pragma once

// What each fuzzer does with one input, kept in one header so that tst_fuzzregressions
// replays the kept inputs through exactly the same code without a fuzzer. Every check
// returns "" when the input passes and otherwise says what went wrong; the fuzzers
// abort on that, the test fails on it.

#include "html/foreignpage.h"
#include "html/mapapply.h"
#include "html/mapimport.h"
#include "map/mapdocument.h"
#include "map/xorcanvas.h"
#include "platform/pathops.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/imageinfo.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tavlo::fuzz {

// The marker beginnings the splitter looks for.
inline constexpr QByteArrayView startHead("<!-- Tavlo start");
inline constexpr QByteArrayView endHead("<!-- end Tavlo");

inline QByteArray checkImageInfo(QByteArrayView bytes)
{
    const ImageInfo info = readImageInfo(bytes);
    switch (info.kind) {
    case Png:
    case Gif:
    case Jpeg:
    case Bmp:
    case UnknownKind:
        break;
    default:
        return "kind " + QByteArray::number(info.kind);
    }
    if (info.width < 0 || info.height < 0)
        return "negative size " + QByteArray::number(info.width) + " x " +
               QByteArray::number(info.height);
    return {};
}

inline QByteArray checkHtmlPage(QByteArrayView bytes)
{
    const QByteArray text = bytes.toByteArray();
    ChtmlPage page;
    const ChtmlPage::Split split = page.parsePage(text, QStringLiteral("/site/page.htm"));
    const qsizetype start = text.indexOf(startHead);
    if (split == ChtmlPage::Split::NoStartMarker)
        return start < 0 ? QByteArray() : "start marker missed";
    if (start < 0)
        return "split without a start marker";
    if (page.htmlTop() != text.first(start))
        return "top is not the text before the first start marker";
    switch (split) {
    case ChtmlPage::Split::Done:
        if (page.htmlTop() + page.htmlMap() + page.htmlBot() != text)
            return "the three pieces do not give back the page";
        if (!page.htmlMap().startsWith(startHead) || !page.htmlMap().endsWith(endMarker))
            return "map piece lacks a marker";
        if (page.htmlMap().indexOf(endHead, startHead.size()) !=
            page.htmlMap().size() - endMarker.size())
            return "map piece runs past its first end marker";
        break;
    case ChtmlPage::Split::EndMarkerAltered:
        if (page.htmlTop() + page.htmlMap() != text || !page.htmlBot().isEmpty())
            return "altered end marker: pieces do not give back the page";
        if (text.sliced(text.indexOf(endHead, start + startHead.size())).startsWith(endMarker))
            return "a whole end marker taken for an altered one";
        break;
    case ChtmlPage::Split::NoEndMarker:
        if (text.indexOf(endHead, start + startHead.size()) >= 0)
            return "end marker missed";
        break;
    case ChtmlPage::Split::NoStartMarker:
        break;
    }
    // Only the name is taken out; resolving it would touch the file system.
    const QString src = page.imageSrc();
    if (!page.htmlMap().contains("<img src=\"") && !src.isEmpty())
        return "image name without an image tag";
    return {};
}

// A file opened as the program opens one: tag check, split, map. Empty when refused.
struct OpenedMap {
    bool accepted = false;
    ChtmlPage page;
    MapRead map;
};

inline OpenedMap openMap(const QByteArray& text)
{
    OpenedMap opened;
    if (!checkMapTags(text).isEmpty())
        return opened;
    if (opened.page.parsePage(text, QStringLiteral("/site/page.htm")) != ChtmlPage::Split::Done)
        return opened;
    opened.map = parseMap(opened.page.htmlMap());
    opened.accepted = !opened.map.refused;
    return opened;
}

// What every area read must look like, whatever the file held.
inline QByteArray checkReadArea(const ReadArea& area)
{
    const QByteArray record = areaRecord(area.area);
    if (!record.startsWith("<AREA SHAPE=\"") || !record.contains("\" HREF=\""))
        return "record of area " + QByteArray::number(area.number) + " malformed: " + record;
    if (!area.area.links() || area.area.links()->href.isEmpty())
        return "empty HREF in area " + QByteArray::number(area.number);
    const QByteArray pts = pointText(area.area);
    const int pipes = countPipes(pts);
    const bool rect = record.startsWith("<AREA SHAPE=\"rect\"");
    const bool circle = record.startsWith("<AREA SHAPE=\"circle\"");
    const bool poly = record.startsWith("<AREA SHAPE=\"poly\"");
    if (!(rect && pipes == 3) && !(circle && pipes == 2) && !(poly && pipes >= 5 && pipes % 2))
        return "point text " + pts + " does not fit " + record;
    return {};
}

// Every AREA tag of the map section, found here by its bare text wherever it stands, is
// either the tag of an area read or named by a note as not rebuilt; a save writes the
// section anew, so nothing in it may go without a word.
inline QByteArray checkEveryAreaTagKeptOrNoted(const QByteArray& htmlMap, const MapRead& map)
{
    QList<qsizetype> tags;
    for (qsizetype at = htmlMap.indexOf('<'); at >= 0; at = htmlMap.indexOf('<', at + 1)) {
        const QByteArray head = htmlMap.mid(at, 6).toLower();
        if (head == "<area" ||
            (head.startsWith("<area") && QByteArrayView(" \t\r\n>/").contains(head[5])))
            tags.append(at);
    }
    qsizetype read = 0;
    qsizetype noted = 0;
    for (qsizetype i = 0; i < tags.size(); ++i) {
        const QByteArray which = "AREA tag " + QByteArray::number(i + 1) + ' ';
        while (read < map.areas.size() && map.areas[read].tag < tags[i])
            ++read;
        const bool rebuilt = read < map.areas.size() && map.areas[read].tag == tags[i];
        const bool hasNote = noted < map.notes.size() && map.notes[noted].tag == tags[i];
        if (hasNote) {
            const AreaNote& note = map.notes[noted++];
            if (note.number != i + 1)
                return which + "noted as area " + QByteArray::number(note.number);
            if (rebuilt != (note.notRebuilt == NotRebuilt::No))
                return which + (rebuilt ? "rebuilt, yet noted as not" : "noted as rebuilt");
            if (rebuilt && note.dropped.isEmpty())
                return which + "noted with nothing dropped";
        } else if (!rebuilt) {
            return which + "neither rebuilt nor noted";
        }
    }
    if (noted != map.notes.size())
        return "a note for no AREA tag";
    return {};
}

// What any opened file must give, accepted or not.
inline QByteArray checkOpened(const OpenedMap& opened)
{
    if (!opened.page.htmlMap().isEmpty())
        (void)opened.page.imageSrc();
    const MapRead& map = opened.map;
    if (map.noCoords && !map.areas.isEmpty())
        return "areas without COORDS";
    if (map.refused && (!map.areas.isEmpty() || !map.notes.isEmpty() || map.refused->area < 1))
        return "a refused map keeps areas or notes, or names no area";
    int last = 0;
    for (const ReadArea& area : map.areas) {
        if (area.number <= last)
            return "area numbers out of order";
        last = area.number;
        if (const QByteArray problem = checkReadArea(area); !problem.isEmpty())
            return problem;
    }
    if (!opened.accepted)
        return map.notes.isEmpty() ? QByteArray() : "a refused map has notes";
    return checkEveryAreaTagKeptOrNoted(opened.page.htmlMap(), map);
}

// What the editor then does with every area read: its tint and its outline on the
// canvas, here a small picture, so that the sanitizers watch that arithmetic too.
// Exclusive-or drawing done twice gives the picture back.
inline QByteArray checkDrawn(const MapRead& map)
{
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QImage before = picture.copy();
    XorCanvas canvas(picture, [](const QRegion&) {});
    for (int pass = 0; pass < 2; ++pass) {
        for (const ReadArea& area : map.areas) {
            canvas.tint(areaRegion(area.area));
            canvas.drawOutline(area.area);
        }
    }
    return picture == before ? QByteArray() : "areas drawn twice leave a trace";
}

inline QByteArray checkMapReader(QByteArrayView bytes)
{
    const OpenedMap opened = openMap(bytes.toByteArray());
    if (const QByteArray problem = checkOpened(opened); !problem.isEmpty())
        return problem;
    return checkDrawn(opened.map);
}

// The point text a circle has once read from its own record: the record holds the
// radius rounded, the first read may have had a fraction. Empty for other shapes.
inline QByteArray circlePtsFromRecord(const MapArea& area)
{
    const QByteArray record = areaRecord(area);
    if (!record.startsWith("<AREA SHAPE=\"circle\""))
        return {};
    constexpr QByteArrayView coordsHead("COORDS=\"");
    const qsizetype from = record.indexOf(coordsHead) + coordsHead.size();
    const QByteArray coords = record.mid(from, record.indexOf('"', from) - from);
    const QByteArray pts = pointText(area);
    return getField(pts, 1, FieldSeparator::Pipe) + '|' + getField(pts, 2, FieldSeparator::Pipe) +
           '|' + getField(coords, 3, FieldSeparator::Comma).trimmed();
}

// Two reads of the same areas agree: the second read of a saved map gives back what the
// first read put into the editor.
inline QByteArray compareAreas(const QList<ReadArea>& first, const QList<ReadArea>& second)
{
    if (first.size() != second.size())
        return QByteArray::number(first.size()) + " areas read, " +
               QByteArray::number(second.size()) + " after saving";
    for (qsizetype i = 0; i < first.size(); ++i) {
        const MapArea& a = first[i].area;
        const MapArea& b = second[i].area;
        const QByteArray which = "area " + QByteArray::number(i + 1) + ": ";
        if (areaRecord(a) != areaRecord(b))
            return which + "record " + areaRecord(a) + " came back as " + areaRecord(b);
        const AreaLinks la = a.links().value_or(AreaLinks{});
        const AreaLinks lb = b.links().value_or(AreaLinks{});
        if (la != lb)
            return which + "texts " + la.href + '|' + la.target + '|' + la.alt + " came back as " +
                   lb.href + '|' + lb.target + '|' + lb.alt;
        if (const QByteArray circle = circlePtsFromRecord(a); !circle.isEmpty()) {
            if (pointText(b) != circle)
                return which + "circle " + pointText(a) + " came back as " + pointText(b);
        } else {
            if (pointText(a) != pointText(b))
                return which + "points " + pointText(a) + " came back as " + pointText(b);
            if (areaRegion(a) != areaRegion(b))
                return which + "region changed";
        }
    }
    return {};
}

// Read, save as the program saves, read again.
inline QByteArray checkRoundTrip(QByteArrayView bytes)
{
    const QByteArray text = bytes.toByteArray();
    const OpenedMap first = openMap(text);
    if (!first.accepted)
        return {};
    if (const QByteArray problem = checkOpened(first); !problem.isEmpty())
        return problem;

    // The image keeps the name the map gives it, as when it is found where the map says;
    // a name too short to be a picture's is one the user picked instead.
    QByteArray fname = QFile::encodeName(fileTitle(first.page.imageSrc()));
    if (fname.size() < 4)
        fname = "picture.gif";
    const ImageMarkup image = imageMarkup(fname, 120, 60);
    QList<QByteArray> records;
    for (const ReadArea& area : first.map.areas)
        records.append(areaRecord(area.area));
    const QByteArray block = mapBlock(savedImageFolder, image, records);
    const auto kind = static_cast<SaveKind>(text.size() % 4);
    const QByteArray saved = fileText(kind, block, first.page.htmlTop(), first.page.htmlBot());

    const OpenedMap second = openMap(saved);
    // Without areas the block holds no COORDS, and the program refuses such a file.
    if (first.map.areas.isEmpty())
        return second.map.areas.isEmpty() ? QByteArray() : "areas out of nothing";
    if (!second.accepted || second.map.noCoords)
        return "a saved map does not open again";
    if (second.page.htmlMap() != block)
        return "the saved block is not the map section";
    if (const QByteArray problem = checkOpened(second); !problem.isEmpty())
        return "after saving: " + problem;
    if (!second.map.notes.isEmpty())
        return "the program's own map has notes";
    return compareAreas(first.map.areas, second.map.areas);
}

// Any page, read as a browser reads it: every tag found lies in the page, and the map
// file made from each map and written back into the page gives the page back unchanged.
inline QByteArray checkForeignPage(QByteArrayView bytes)
{
    const QByteArray page = bytes.toByteArray();
    const ForeignPage read = readForeignPage(page);
    auto spanProblem = [&](const SourceSpan& s) -> QByteArray {
        if (s.offset < 0 || s.length < 2 || s.offset + s.length > page.size())
            return "tag outside the page";
        if (page[s.offset] != '<' || page[s.offset + s.length - 1] != '>')
            return "tag does not run from < to >: " + page.mid(s.offset, s.length);
        if (s.line < 1 || s.column < 1)
            return "no line or column";
        return {};
    };
    for (const ForeignImage& img : read.images) {
        if (const QByteArray p = spanProblem(img.tag); !p.isEmpty())
            return "img: " + p;
    }
    for (const ForeignMap& map : read.maps) {
        if (const QByteArray p = spanProblem(map.tag); !p.isEmpty())
            return "map: " + p;
        if (map.contentEnd < map.tag.offset + map.tag.length || map.end < map.contentEnd ||
            map.end > page.size())
            return "map end out of order";
        QList<QByteArray> records;
        for (const ForeignArea& area : map.areas) {
            if (const QByteArray p = spanProblem(area.tag); !p.isEmpty())
                return "area: " + p;
            if (area.tag.offset < map.tag.offset + map.tag.length || area.tag.offset > map.end)
                return "area outside its map";
            if (const AreaConversion c = importableArea(area); c.area)
                records.append(areaRecord(*c.area));
        }
        // The first map of a name is the one written back, as import reads it.
        if (records.isEmpty() || findMap(read, map.name) != &map)
            continue;
        const QByteArray tavl =
            fileText(SaveKind::Tavl, mapBlock({}, imageMarkup("x.gif", 1, 1), records));
        const MapApply back = applyMap(tavl, page, map.name);
        if (back.status != MapApply::Status::Done)
            return "an imported map does not apply: " + back.error.toUtf8();
        if (back.page != page)
            return "apply of an unchanged import changed the page (map " + map.name + ")";
    }
    return {};
}

struct Target {
    const char* name;
    QByteArray (*check)(QByteArrayView);
};

// By fuzzer name: fuzz/corpus/<name>/ and fuzz/crashes/<name>-* belong to it.
inline constexpr Target targets[] = {
    {"fuzz_imageinfo", checkImageInfo},     {"fuzz_htmlpage", checkHtmlPage},
    {"fuzz_mapreader", checkMapReader},     {"fuzz_roundtrip", checkRoundTrip},
    {"fuzz_foreignpage", checkForeignPage},
};

// The body of each fuzzer's LLVMFuzzerTestOneInput: a problem aborts, which the fuzzer
// reports as a crash, keeping the input.
inline int runCheck(QByteArray (*check)(QByteArrayView), const std::uint8_t* data, std::size_t size)
{
    const QByteArray problem = check(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "check failed: %s\n", problem.constData());
        std::abort();
    }
    return 0;
}

} // namespace tavlo::fuzz
