#include "export/mapexport.h"

#include "tavlofile/imageinfo.h"
#include "tavlofile/pagepicture.h"

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

ExportChoice chooseExportMap(const ForeignPage& page, const std::optional<QByteArray>& mapName)
{
    ExportChoice choice;
    for (const ForeignImage& image : page.images) {
        const ForeignMap* map = mapForUsemap(page, image.usemap);
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

PictureSize exportPictureSize(const QString& pagePath, const ForeignImage& image)
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
    if (image.hasWidth && image.hasHeight && image.width > 0 && image.height > 0) {
        size.width = image.width;
        size.height = image.height;
        return size;
    }
    size.error = QStringLiteral("cannot tell the size of the picture \"%1\": its file cannot be "
                                "read and the <img> tag gives no width and height")
                     .arg(QString::fromUtf8(image.src));
    return size;
}

} // namespace tavlo
