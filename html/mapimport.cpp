#include "html/mapimport.h"

#include "platform/pathops.h"
#include "platform/rounding.h"
#include "tavlofile/filekinds.h"
#include "tavlofile/imageinfo.h"
#include "tavlofile/markupwriter.h"
#include "tavlofile/pagepicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>

namespace tavlo {

namespace {

QByteArray linkOf(const QByteArray& href)
{
    return href.isEmpty() ? defaultHref : href;
}

// The attributes a Tavlo area carries; anything else stays behind on import.
bool carried(const QByteArray& name)
{
    return name == "shape" || name == "coords" || name == "href" || name == "target" ||
           name == "alt";
}

QString shapeName(ForeignShape shape)
{
    switch (shape) {
    case ForeignShape::Rect:
        return QStringLiteral("rect");
    case ForeignShape::Circle:
        return QStringLiteral("circle");
    case ForeignShape::Poly:
        return QStringLiteral("poly");
    case ForeignShape::Default:
        return QStringLiteral("default");
    }
    return {};
}

// Tavlo's reader turns exactly these back into characters: a value that holds one
// as text would not come back as it was.
bool holdsTavloEntity(const QByteArray& value)
{
    return value.contains("&quot;") || value.contains("&lt;") || value.contains("&gt;");
}

QString quoted(const QByteArray& text)
{
    return QLatin1Char('"') + QString::fromUtf8(text) + QLatin1Char('"');
}

// The right and bottom edges of the areas: the least picture that holds them all.
QSize areasExtent(const QList<MapArea>& areas)
{
    // Every number lies within the editor's range, so no sum overflows.
    int right = 0;
    int bottom = 0;
    for (const MapArea& a : areas) {
        const QList<int> c = a.coordinates();
        if (a.kind() == AreaKind::Circle) {
            right = std::max(right, c[0] + c[2]);
            bottom = std::max(bottom, c[1] + c[2]);
            continue;
        }
        for (qsizetype i = 0; i + 1 < c.size(); i += 2) {
            right = std::max(right, c[i]);
            bottom = std::max(bottom, c[i + 1]);
        }
    }
    return {right, bottom};
}

} // namespace

bool sameArea(const MapArea& a, const MapArea& b)
{
    const AreaLinks la = a.links().value_or(AreaLinks{});
    const AreaLinks lb = b.links().value_or(AreaLinks{});
    return a.kind() == b.kind() && a.coordinates() == b.coordinates() &&
           linkOf(la.href) == linkOf(lb.href) && la.target == lb.target && la.alt == lb.alt;
}

AreaConversion tavloAreaOf(const ForeignArea& area)
{
    AreaConversion out;
    if (area.shape == ForeignShape::Default) {
        out.reason = QStringLiteral("shape \"default\" (the whole picture) has no place in a "
                                    "Tavlo map");
        return out;
    }
    if (!area.usable) {
        out.reason = area.shape == ForeignShape::Circle && area.coords.size() >= 3
                         ? QStringLiteral("a negative radius; browsers ignore the area")
                         : QStringLiteral("too few numbers in coords for a %1; browsers ignore "
                                          "the area")
                               .arg(shapeName(area.shape));
        return out;
    }
    const qsizetype count = area.shape == ForeignShape::Rect     ? 4
                            : area.shape == ForeignShape::Circle ? 3
                                                                 : area.coords.size() / 2 * 2;
    QList<int> c;
    c.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const auto v = areaCoordinate(area.coords[i]);
        if (!v) {
            out.reason = QStringLiteral("coordinates beyond the editor's range (%1 to %2)")
                             .arg(lowestCoordinate)
                             .arg(highestCoordinate);
            return out;
        }
        c.append(*v);
    }
    switch (area.shape) {
    case ForeignShape::Circle:
        out.area = MapArea::circle({c[0], c[1]}, static_cast<float>(c[2]));
        break;
    case ForeignShape::Poly: {
        QList<QPoint> vertices;
        vertices.reserve(c.size() / 2);
        for (qsizetype i = 0; i + 1 < c.size(); i += 2)
            vertices.append(QPoint(c[i], c[i + 1]));
        out.area = MapArea::polygon(std::move(vertices));
        break;
    }
    case ForeignShape::Rect:
    case ForeignShape::Default:
        out.area = MapArea::rectangle({c[0], c[1]}, {c[2], c[3]});
        break;
    }
    // A usable area has the numbers its shape needs, and a radius not below 0.
    if (out.area)
        out.area->setLinks(AreaLinks{area.href.value_or(QByteArray()),
                                     area.target.value_or(QByteArray()),
                                     area.alt.value_or(QByteArray())});
    return out;
}

AreaConversion importableArea(const ForeignArea& area)
{
    AreaConversion out = tavloAreaOf(area);
    const std::optional<AreaLinks> links = out.area ? out.area->links() : std::nullopt;
    if (links && (holdsTavloEntity(links->href) || holdsTavloEntity(links->target) ||
                  holdsTavloEntity(links->alt))) {
        out.area.reset();
        out.reason = QStringLiteral("its link, target or alt text holds &quot;, &lt; or &gt; as "
                                    "text, which a Tavlo map would turn into a character");
    }
    return out;
}

MapImport importMap(const QByteArray& page, const QString& pageFile, const QByteArray& mapName,
                    const QString& tavlFile)
{
    MapImport out;
    const ForeignPage read = readForeignPage(page);
    auto fail = [&](MapImport::Status status, const QString& error) {
        out.status = status;
        out.error = error;
        return out;
    };
    if (read.maps.isEmpty())
        return fail(MapImport::Status::NoMaps, QStringLiteral("the page has no image map"));
    const ForeignMap* map = nullptr;
    if (!mapName.isEmpty()) {
        map = MapNames(read).find(mapName);
        if (!map)
            return fail(MapImport::Status::NoSuchMap,
                        QStringLiteral("no map named %1").arg(quoted(mapName)));
    } else if (read.maps.size() > 1) {
        QStringList names;
        for (const ForeignMap& m : read.maps)
            names.append(quoted(m.name));
        return fail(MapImport::Status::SeveralMaps,
                    QStringLiteral("the page has %1 maps (%2): choose one with --map")
                        .arg(read.maps.size())
                        .arg(names.join(QStringLiteral(", "))));
    } else {
        map = &read.maps.first();
    }
    out.mapName = map->name;

    const ForeignImage* image = nullptr;
    const MapNames names(read);
    for (const ForeignImage& img : read.images) {
        if (!map->name.isEmpty() && names.find(hashName(img.usemap)) == map) {
            image = &img;
            break;
        }
    }
    if (!image)
        return fail(MapImport::Status::NoPicture,
                    QStringLiteral("no <img usemap> uses the map %1").arg(quoted(map->name)));
    out.picture = picturePath(image->src, pageFile);
    if (out.picture.isEmpty())
        return fail(MapImport::Status::PictureAway,
                    QStringLiteral("the picture %1 is not a file on this computer")
                        .arg(quoted(image->src)));
    if (editorKind(extensionKey(out.picture)) != FileKind::Image)
        return fail(MapImport::Status::PictureKind,
                    QStringLiteral("the picture %1 is not a GIF or JPEG (.gif, .jpg), the only "
                                   "pictures the Tavlo editor opens")
                        .arg(out.picture));

    QList<QByteArray> records;
    records.reserve(map->areas.size());
    int number = 0;
    for (const ForeignArea& area : map->areas) {
        ++number;
        const AreaConversion c = importableArea(area);
        if (!c.area) {
            out.notes.append(
                {area.tag, QStringLiteral("area %1 not imported: %2").arg(number).arg(c.reason)});
            continue;
        }
        for (const ForeignAttribute& a : area.attributes) {
            if (!carried(a.name))
                out.notes.append({area.tag, QStringLiteral("area %1: attribute \"%2\" is not kept "
                                                           "in a Tavlo map")
                                                .arg(number)
                                                .arg(QString::fromUtf8(a.name))});
        }
        records.append(areaRecord(*c.area));
    }
    if (records.isEmpty())
        return fail(MapImport::Status::NoAreas,
                    QStringLiteral("the map %1 has no area that a Tavlo map can hold")
                        .arg(quoted(map->name)));

    ImageInfo info = readImageInfo(out.picture);
    if (info.kind == UnknownKind || info.width <= 0 || info.height <= 0) {
        // A page checked out without its pictures: the map keeps its areas all the same.
        const bool away = !fileExists(out.picture);
        QList<MapArea> areas;
        for (const ForeignArea& area : map->areas) {
            if (const AreaConversion c = tavloAreaOf(area); c.area)
                areas.append(*c.area);
        }
        const QSize extent = areasExtent(areas);
        info.width = image->tagWidth().value_or(extent.width());
        info.height = image->tagHeight().value_or(extent.height());
        out.notes.append(
            {image->tag,
             QStringLiteral("the picture %1 %2: its size, %3 x %4, is "
                            "taken from %5")
                 .arg(quoted(image->src),
                      away ? QStringLiteral("is not found") : QStringLiteral("cannot be read"),
                      QString::number(info.width), QString::number(info.height),
                      sizeTakenFrom(*image))});
    }
    const QFileInfo picture(out.picture);
    const QString relative =
        QFileInfo(tavlFile).absoluteDir().relativeFilePath(picture.absolutePath());
    QByteArray folder = relative == QLatin1String(".")
                            ? QByteArray()
                            : srcEncoded(QFile::encodeName(relative)) + '/';
    const ImageMarkup markup =
        imageMarkup(QFile::encodeName(picture.fileName()), info.width, info.height);
    out.tavl = fileText(SaveKind::Tavl, mapBlock(folder, markup, records));
    return out;
}

} // namespace tavlo
