#include "export/mapexport.h"

#include "export/exporttext.h"

#include "tavlofile/imageinfo.h"
#include "tavlofile/pagepicture.h"

#include <algorithm>
#include <cmath>

namespace tavlo {

std::optional<ExportFormat> exportFormatNamed(const QString& name)
{
    if (name == u"svg")
        return ExportFormat::Svg;
    if (name == u"html")
        return ExportFormat::Html;
    if (name == u"json")
        return ExportFormat::Json;
    return std::nullopt;
}

QByteArray exportMap(ExportFormat format, const ForeignImage& image, const ForeignMap& map,
                     const QByteArray& picturePath, int width, int height)
{
    switch (format) {
    case ExportFormat::Svg:
        return exportSvg(image, map, picturePath, width, height);
    case ExportFormat::Html:
        return exportHtml(image, map, picturePath, width, height);
    case ExportFormat::Json:
        break;
    }
    return exportJson(image, map, picturePath, width, height);
}

const ForeignMap* mapForUsemap(const ForeignPage& page, const QByteArray& usemap)
{
    return findMap(page, hashName(usemap));
}

const ForeignArea* fallbackArea(const ForeignMap& map)
{
    for (const ForeignArea& area : map.areas) {
        if (area.shape == ForeignShape::Default && area.usable)
            return &area;
    }
    return nullptr;
}

ExportChoice chooseExportMap(const ForeignPage& page, const std::optional<QByteArray>& mapName)
{
    ExportChoice choice;
    const MapNames names(page);
    for (const ForeignImage& image : page.images) {
        const ForeignMap* map = names.find(hashName(image.usemap));
        if (map && (!mapName || map->name == *mapName)) {
            choice.image = &image;
            choice.map = map;
            return choice;
        }
    }
    if (!mapName) {
        choice.error = page.maps.isEmpty()
                           ? QStringLiteral("no image map in this page")
                           : QStringLiteral("no <img usemap> uses a map of this page");
        return choice;
    }
    const QString name = QString::fromUtf8(*mapName);
    const bool exists = std::any_of(page.maps.begin(), page.maps.end(),
                                    [&](const ForeignMap& map) { return map.name == *mapName; });
    choice.error = exists ? QStringLiteral("no <img usemap> uses the map \"%1\"").arg(name)
                          : QStringLiteral("no map named \"%1\"").arg(name);
    return choice;
}

PictureSize exportPictureSize(const QString& pagePath, const ForeignImage& image,
                              const ForeignMap& map)
{
    PictureSize size;
    const QString path = picturePath(image.src, pagePath);
    if (!path.isEmpty()) {
        const ImageInfo info = readImageInfo(path);
        if (info.kind != UnknownKind && info.width > 0 && info.height > 0) {
            size.width = info.width;
            size.height = info.height;
            return size;
        }
    }
    double right = 0;
    double bottom = 0;
    for (const ForeignArea& area : map.areas) {
        const auto c = exporttext::shapeCoords(area);
        if (!c)
            continue;
        if (area.shape == ForeignShape::Circle) {
            right = std::max(right, (*c)[0] + (*c)[2]);
            bottom = std::max(bottom, (*c)[1] + (*c)[2]);
            continue;
        }
        for (qsizetype i = 0; i + 1 < c->size(); i += 2) {
            right = std::max(right, (*c)[i]);
            bottom = std::max(bottom, (*c)[i + 1]);
        }
    }
    const auto whole = [](double v) { return int(std::ceil(std::min(v, 32767.0))); };
    size.width = image.tagWidth().value_or(whole(right));
    size.height = image.tagHeight().value_or(whole(bottom));
    const QString src = QString::fromUtf8(image.src);
    if (size.width <= 0 || size.height <= 0) {
        size.error = QStringLiteral("cannot tell the size of the picture \"%1\": its file cannot "
                                    "be read, and neither the <img> tag nor the areas give a "
                                    "width and height")
                         .arg(src);
        return size;
    }
    size.note = QStringLiteral("the picture \"%1\" cannot be read: its size, %2 x %3, is taken "
                               "from %4")
                    .arg(src, QString::number(size.width), QString::number(size.height),
                         sizeTakenFrom(image));
    return size;
}

} // namespace tavlo
