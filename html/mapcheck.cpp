#include "html/mapcheck.h"

#include "html/coordsreading.h"
#include "html/foreignpage.h"
#include "html/mapimport.h"
#include "platform/pathops.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/imageinfo.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"
#include "tavlofile/pagepicture.h"

#include <QHash>
#include <QRegion>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

namespace {

using Severity = Finding::Severity;

struct Sized {
    int width = 0;
    int height = 0;
};

// Areas already seen, found again by the cells of a coarse grid that their bounding
// boxes touch, so that a map of many areas is checked in time linear in its size.
class CoverIndex {
public:
    void add(const QRegion& region)
    {
        const QRect box = region.boundingRect();
        const int index = static_cast<int>(m_regions.size());
        m_regions.push_back(region);
        if (cellCount(box) > maxCells) {
            m_big.push_back(index);
            return;
        }
        forCells(box, [&](quint64 key) { m_cells[key].push_back(index); });
    }

    // Whether the areas added so far cover all of region.
    bool covers(const QRegion& region) const
    {
        const QRect box = region.boundingRect();
        std::vector<int> candidates = m_big;
        if (cellCount(box) > maxCells) {
            candidates.resize(m_regions.size());
            for (std::size_t i = 0; i < candidates.size(); ++i)
                candidates[i] = static_cast<int>(i);
        } else {
            forCells(box, [&](quint64 key) {
                const auto it = m_cells.constFind(key);
                if (it != m_cells.constEnd())
                    candidates.insert(candidates.end(), it->begin(), it->end());
            });
        }
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        QRegion rest = region;
        for (int i : candidates) {
            if (m_regions[i].boundingRect().intersects(rest.boundingRect()))
                rest -= m_regions[i];
            if (rest.isEmpty())
                return true;
        }
        return rest.isEmpty();
    }

private:
    static constexpr int cellShift = 6; // cells of 64 pixels
    static constexpr qint64 maxCells = 256;

    static qint64 cellCount(const QRect& box)
    {
        const qint64 w = (qint64(box.right()) >> cellShift) - (qint64(box.left()) >> cellShift) + 1;
        const qint64 h = (qint64(box.bottom()) >> cellShift) - (qint64(box.top()) >> cellShift) + 1;
        return w * h;
    }

    template <typename F> static void forCells(const QRect& box, F f)
    {
        for (int cy = box.top() >> cellShift; cy <= box.bottom() >> cellShift; ++cy) {
            for (int cx = box.left() >> cellShift; cx <= box.right() >> cellShift; ++cx)
                f((quint64(quint32(cx)) << 32) | quint32(cy));
        }
    }

    std::vector<QRegion> m_regions;
    std::vector<int> m_big;
    QHash<quint64, std::vector<int>> m_cells;
};

class Checker {
public:
    Checker(const QByteArray& page, const QString& pageFile, const CheckSettings& settings)
        : m_page(page)
        , m_pageFile(pageFile)
        , m_settings(settings)
        , m_read(readForeignPage(page))
        , m_names(m_read)
    {}

    QList<Finding> run()
    {
        checkCutShort();
        checkImages();
        checkMaps();
        checkTavloBlock();
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) {
                             return a.line != b.line ? a.line < b.line : a.column < b.column;
                         });
        return m_findings;
    }

private:
    void add(const SourceSpan& at, Severity severity, const QString& message, const char* code)
    {
        m_findings.append({at.line, at.column, severity, message, QByteArray(code)});
    }

    // A page that ends inside a tag: browsers drop that tag.
    void checkCutShort()
    {
        const qsizetype lt = m_page.lastIndexOf('<');
        if (lt < 0 || m_page.indexOf('>', lt) >= 0 || lt + 1 >= m_page.size())
            return;
        const char c = m_page[lt + 1];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '/' || c == '!'))
            return;
        SourceSpan at;
        at.line = 1 + static_cast<int>(m_page.first(lt).count('\n'));
        at.column = static_cast<int>(lt - (m_page.lastIndexOf('\n', lt) + 1) + 1);
        add(at, Severity::Error, QStringLiteral("the page ends inside a tag, which browsers drop"),
            "cut-short");
    }

    std::optional<ImageInfo> pictureOf(const ForeignImage& img)
    {
        const QString path = picturePath(img.src, m_pageFile, m_settings.siteRoot);
        if (path.isEmpty())
            return std::nullopt;
        if (!fileExists(path)) {
            add(img.tag, Severity::Warning, QStringLiteral("the picture %1 is not found").arg(path),
                "missing-picture");
            return std::nullopt;
        }
        const ImageInfo info = readImageInfo(path);
        if (info.kind == UnknownKind)
            return std::nullopt;
        return info;
    }

    void checkImages()
    {
        for (const ForeignImage& img : m_read.images) {
            const ForeignMap* map = m_names.find(hashName(img.usemap));
            if (!map)
                checkNoMap(img);
            if (!img.alt)
                add(img.tag, Severity::Error,
                    QStringLiteral("the picture of an image map has no alt text"),
                    "img-missing-alt");
            checkPixels(img, "width", img.widthText, img.width);
            checkPixels(img, "height", img.heightText, img.height);
            const std::optional<ImageInfo> info = pictureOf(img);
            if (info && ((img.width && img.width != info->width) ||
                         (img.height && img.height != info->height)))
                add(img.tag, Severity::Warning,
                    QStringLiteral("the tag says %1 x %2, the picture is %3 x %4")
                        .arg(img.width ? QString::number(*img.width) : QStringLiteral("?"))
                        .arg(img.height ? QString::number(*img.height) : QStringLiteral("?"))
                        .arg(info->width)
                        .arg(info->height),
                    "size-mismatch");
            // The size the areas are laid on: the tag's, else the picture's own.
            if (map && !m_sizes.contains(map)) {
                Sized s;
                if (info) {
                    s.width = info->width;
                    s.height = info->height;
                }
                s.width = img.width.value_or(s.width);
                s.height = img.height.value_or(s.height);
                if ((img.width || info) && (img.height || info))
                    m_sizes.insert(map, s);
            }
        }
    }

    void checkNoMap(const ForeignImage& img)
    {
        const QString usemap = QString::fromUtf8(img.usemap);
        if (img.usemap.contains('#') || img.usemap.isEmpty()) {
            add(img.tag, Severity::Error, QStringLiteral("usemap \"%1\" names no map").arg(usemap),
                "no-map");
            return;
        }
        add(img.tag, Severity::Error,
            QStringLiteral("usemap \"%1\" lacks the \"#\" before the map's name, so browsers "
                           "find no map: write \"#%1\"")
                .arg(usemap),
            "no-map");
    }

    // A size attribute written but not in pixels. Coordinates count the picture's own
    // pixels: a size in percent or in words stretches the picture under them.
    void checkPixels(const ForeignImage& img, const char* name,
                     const std::optional<QByteArray>& text, std::optional<int> pixels)
    {
        if (!text || pixels)
            return;
        add(img.tag, Severity::Warning,
            QStringLiteral("%1=\"%2\" is not a size in pixels: the areas' coordinates count "
                           "the picture's own pixels and stay where they are when it is stretched")
                .arg(QLatin1String(name), QString::fromUtf8(*text)),
            "size-not-pixels");
    }

    void checkMaps()
    {
        QHash<QByteArray, int> seen;
        for (const ForeignMap& map : m_read.maps) {
            if (!map.name.isEmpty() && seen.contains(map.name))
                add(map.tag, Severity::Warning,
                    QStringLiteral("a second map named \"%1\": browsers use only the first")
                        .arg(QString::fromUtf8(map.name)),
                    "duplicate-map");
            seen.insert(map.name, 1);
            checkAreas(map);
        }
    }

    void checkAreas(const ForeignMap& map)
    {
        const auto size = m_sizes.constFind(&map);
        const bool sized = size != m_sizes.constEnd();
        CoverIndex cover;
        // Chromium keeps the first default area under all others, Firefox lets it take
        // every click from there on; a second one covers all after it in both.
        const ForeignArea* firstDefault = nullptr;
        bool wholeCovered = false;
        for (const ForeignArea& area : map.areas) {
            if (area.href && (!area.alt || area.alt->trimmed().isEmpty()))
                add(area.tag, Severity::Error,
                    QStringLiteral("the area has a link but no alt text"), "missing-alt");
            if (area.href && (area.href->trimmed().isEmpty() || area.href->trimmed() == "#"))
                add(area.tag, Severity::Warning,
                    QStringLiteral("the link is empty (\"%1\")").arg(QString::fromUtf8(*area.href)),
                    "empty-href");
            checkShapeKeyword(area);
            checkCoordsReading(area);
            if (!area.usable) {
                const AreaConversion c = tavloAreaOf(area);
                add(area.tag, Severity::Error, c.reason, "unusable");
                continue;
            }
            if (area.shape == ForeignShape::Default) {
                if (wholeCovered) {
                    add(area.tag, Severity::Error,
                        QStringLiteral("earlier areas cover this one: no click reaches it"),
                        "unreachable");
                } else if (firstDefault) {
                    add(area.tag, Severity::Warning,
                        QStringLiteral("a second default area: Chromium gives it the clicks that "
                                       "no area before it takes, Firefox gives them to the one on "
                                       "line %1; keep one default area, last, and the browsers "
                                       "agree")
                            .arg(firstDefault->tag.line),
                        "default-order");
                    wholeCovered = true;
                } else {
                    firstDefault = &area;
                }
                continue;
            }
            if (sized)
                checkOffImage(area, *size);
            const AreaConversion c = tavloAreaOf(area);
            if (!c.area)
                continue;
            const QRegion region = areaRegion(*c.area);
            if (noSize(*c.area)) {
                add(area.tag, Severity::Error, QStringLiteral("the %1 has no size").arg(noun(area)),
                    "no-size");
                continue;
            }
            if (wholeCovered || cover.covers(region))
                add(area.tag, Severity::Error,
                    QStringLiteral("earlier areas cover this one: no click reaches it"),
                    "unreachable");
            else if (firstDefault)
                add(area.tag, Severity::Warning,
                    QStringLiteral("the default area on line %1 comes before this one: Firefox "
                                   "gives it this area's clicks, Chromium does not; put the "
                                   "default area last and the browsers agree")
                        .arg(firstDefault->tag.line),
                    "default-order");
            cover.add(region);
        }
    }

    void checkShapeKeyword(const ForeignArea& area)
    {
        const auto shape =
            std::find_if(area.attributes.begin(), area.attributes.end(),
                         [](const ForeignAttribute& a) { return a.name == "shape"; });
        if (shape == area.attributes.end())
            return;
        const QString value = QString::fromUtf8(shape->value);
        if (!area.knownShape) {
            add(area.tag, Severity::Warning,
                QStringLiteral("shape=\"%1\" is no shape browsers know: they take the area as a "
                               "rectangle")
                    .arg(value),
                "unknown-shape");
            return;
        }
        const QByteArray k = shape->value.toLower();
        if (k == "rectangle" || k == "circ" || k == "polygon")
            add(area.tag, Severity::Warning,
                QStringLiteral("shape=\"%1\" is an old alias that browsers accept but HTML does "
                               "not: write \"%2\"")
                    .arg(value, QLatin1String(k == "rectangle" ? "rect"
                                              : k == "circ"    ? "circle"
                                                               : "poly")),
                "shape-alias");
    }

    void checkCoordsReading(const ForeignArea& area)
    {
        const auto coords =
            std::find_if(area.attributes.begin(), area.attributes.end(),
                         [](const ForeignAttribute& a) { return a.name == "coords"; });
        const CoordsReading r = compareCoordsReadings(
            area.shape, coords == area.attributes.end() ? QByteArrayView() : coords->value);
        if (r.differences.isEmpty())
            return;
        QString message = QStringLiteral("browsers read these coords differently: ") +
                          r.differences.join(QStringLiteral("; "));
        if (!r.plain.isEmpty())
            message += QStringLiteral("; plain whole numbers read alike: coords=\"%1\"")
                           .arg(QString::fromLatin1(r.plain));
        add(area.tag, Severity::Warning, message, "coords-reading");
    }

    static QString noun(const ForeignArea& area)
    {
        switch (area.shape) {
        case ForeignShape::Circle:
            return QStringLiteral("circle");
        case ForeignShape::Poly:
            return QStringLiteral("polygon");
        default:
            return QStringLiteral("rectangle");
        }
    }

    static bool noSize(const MapArea& a)
    {
        const QList<int> c = a.coordinates();
        switch (a.kind()) {
        case AreaKind::Circle:
            return c[2] == 0;
        case AreaKind::Poly:
            return allOnLine(c);
        case AreaKind::Rect:
            break;
        }
        return c[0] == c[2] || c[1] == c[3];
    }

    static bool allOnLine(const QList<int>& c)
    {
        qsizetype k = 2;
        while (k + 1 < c.size() && c[k] == c[0] && c[k + 1] == c[1])
            k += 2;
        if (k + 1 >= c.size())
            return true;
        const qint64 dx = qint64(c[k]) - c[0], dy = qint64(c[k + 1]) - c[1];
        for (qsizetype i = k + 2; i + 1 < c.size(); i += 2) {
            const qint64 ex = qint64(c[i]) - c[0], ey = qint64(c[i + 1]) - c[1];
            if (static_cast<long double>(dx) * ey != static_cast<long double>(dy) * ex)
                return false;
        }
        return true;
    }

    void checkOffImage(const ForeignArea& area, const Sized& size)
    {
        const QList<double>& c = area.coords;
        double x0, y0, x1, y1;
        if (area.shape == ForeignShape::Circle) {
            x0 = c[0] - c[2];
            x1 = c[0] + c[2];
            y0 = c[1] - c[2];
            y1 = c[1] + c[2];
        } else {
            const qsizetype n = area.shape == ForeignShape::Rect ? 4 : c.size() / 2 * 2;
            x0 = x1 = c[0];
            y0 = y1 = c[1];
            for (qsizetype i = 0; i + 1 < n; i += 2) {
                x0 = std::min(x0, c[i]);
                x1 = std::max(x1, c[i]);
                y0 = std::min(y0, c[i + 1]);
                y1 = std::max(y1, c[i + 1]);
            }
        }
        if (x0 >= 0 && y0 >= 0 && x1 <= size.width && y1 <= size.height)
            return;
        const bool wholly = x1 <= 0 || y1 <= 0 || x0 >= size.width || y0 >= size.height;
        add(area.tag, wholly ? Severity::Error : Severity::Warning,
            QStringLiteral("the %1 lies %2 outside the picture (%3 x %4)")
                .arg(noun(area), wholly ? QStringLiteral("wholly") : QStringLiteral("partly"))
                .arg(size.width)
                .arg(size.height),
            "off-image");
    }

    // What the editor's own reader would not write back when it opens the file and
    // saves it into the same page.
    void checkTavloBlock()
    {
        const qsizetype marker = m_page.indexOf(startMarker.first(16));
        if (marker < 0)
            return;
        SourceSpan at;
        at.offset = marker;
        at.line = 1 + static_cast<int>(m_page.first(marker).count('\n'));
        at.column = static_cast<int>(marker - (m_page.lastIndexOf('\n', marker) + 1) + 1);
        const QString missing = checkMapTags(m_page);
        ChtmlPage split;
        if (!missing.isEmpty() || split.parsePage(m_page, m_pageFile) != ChtmlPage::Split::Done) {
            add(at, Severity::Warning,
                QStringLiteral("the Tavlo editor cannot open this map: %1")
                    .arg(missing.isEmpty()
                             ? QStringLiteral("its end marker is missing or altered")
                             : missing.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                   .join(QLatin1Char(' '))),
                "not-kept");
            return;
        }
        const MapRead read = parseMap(split.htmlMap());
        const qsizetype from = split.htmlTop().size();
        const qsizetype to = from + split.htmlMap().size();
        if (read.refused) {
            add(at, Severity::Warning,
                QStringLiteral("the Tavlo editor cannot open this map: area %1 has coordinates "
                               "it cannot use")
                    .arg(read.refused->area),
                "not-kept");
            return;
        }
        qsizetype next = 0;
        for (const ForeignMap& map : m_read.maps) {
            for (const ForeignArea& area : map.areas) {
                if (area.tag.offset < from || area.tag.offset >= to)
                    continue;
                const AreaConversion c = tavloAreaOf(area);
                const MapArea* editor = next < read.areas.size() ? &read.areas[next].area : nullptr;
                if (c.area && editor && sameArea(*c.area, *editor)) {
                    ++next;
                    for (const ForeignAttribute& a : area.attributes) {
                        if (a.name != "shape" && a.name != "coords" && a.name != "href" &&
                            a.name != "target" && a.name != "alt")
                            add(area.tag, Severity::Warning,
                                QStringLiteral("the Tavlo editor drops the attribute \"%1\" "
                                               "when it saves this map")
                                    .arg(QString::fromUtf8(a.name)),
                                "not-kept");
                    }
                } else if (c.area && editor && c.area->kind() == editor->kind() &&
                           c.area->coordinates() == editor->coordinates()) {
                    ++next;
                    add(area.tag, Severity::Warning,
                        QStringLiteral("the Tavlo editor reads this area's link, target or alt "
                                       "text differently and writes that back"),
                        "not-kept");
                } else {
                    add(area.tag, Severity::Warning,
                        QStringLiteral("the Tavlo editor does not rebuild this area and drops "
                                       "it when it saves this map"),
                        "not-kept");
                }
            }
        }
    }

    const QByteArray& m_page;
    QString m_pageFile;
    CheckSettings m_settings;
    ForeignPage m_read;
    MapNames m_names;
    QHash<const ForeignMap*, Sized> m_sizes;
    QList<Finding> m_findings;
};

} // namespace

QList<Finding> checkPage(const QByteArray& page, const QString& pageFile,
                         const CheckSettings& settings)
{
    return Checker(page, pageFile, settings).run();
}

bool worthChecking(QByteArrayView page)
{
    // Lower-cased a block at a time, so that the search is the library's plain one.
    static constexpr std::string_view words[] = {"<map", "<area", "usemap"};
    constexpr qsizetype block = qsizetype(1) << 16;
    constexpr qsizetype overlap = 5; // a word cut by a block's end is found in the next
    std::string lower(std::size_t(block + overlap), '\0');
    for (qsizetype from = 0; from < page.size(); from += block) {
        const qsizetype start = std::max<qsizetype>(0, from - overlap);
        const qsizetype end = std::min(page.size(), from + block);
        for (qsizetype k = start; k < end; ++k) {
            const char c = page[k];
            lower[std::size_t(k - start)] = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        }
        const std::string_view text(lower.data(), std::size_t(end - start));
        for (const std::string_view word : words) {
            if (text.find(word) != std::string_view::npos)
                return true;
        }
    }
    if (page.contains(startMarker.first(16)))
        return true;
    // A page cut short inside a tag is a finding of its own.
    const qsizetype lt = page.lastIndexOf('<');
    return lt >= 0 && page.indexOf('>', lt) < 0;
}

QString findingLine(const QString& file, const Finding& finding)
{
    // Joined, not formatted: a message may quote a "%1" of the page.
    return file + QLatin1Char(':') + QString::number(finding.line) + QLatin1Char(':') +
           QString::number(finding.column) +
           (finding.severity == Severity::Error ? QStringLiteral(": error: ")
                                                : QStringLiteral(": warning: ")) +
           finding.message + QStringLiteral(" [") + QString::fromLatin1(finding.code) +
           QLatin1Char(']');
}

} // namespace tavlo
