#pragma once

#include "html/foreignpage.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavlo {

// An image map of any page written out for other tools: an SVG whose areas are links,
// a self-contained HTML page whose map follows the picture's rendered size, or JSON.
// Each writer takes the picture's path as the page names it and the picture's true
// size; values are UTF-8 in the output (bytes that are not UTF-8 are read as
// Windows-1252, as a browser reads a page that declares no encoding).

enum class ExportFormat { Svg, Html, Json };

std::optional<ExportFormat> exportFormatNamed(const QString& name);

QByteArray exportSvg(const ForeignImage& image, const ForeignMap& map,
                     const QByteArray& picturePath, int width, int height);
QByteArray exportHtml(const ForeignImage& image, const ForeignMap& map,
                      const QByteArray& picturePath, int width, int height);
QByteArray exportJson(const ForeignImage& image, const ForeignMap& map,
                      const QByteArray& picturePath, int width, int height);

QByteArray exportMap(ExportFormat format, const ForeignImage& image, const ForeignMap& map,
                     const QByteArray& picturePath, int width, int height);

// The picture and the map a browser would show: the first <img usemap> whose map
// exists or, when mapName is given, the first one that uses the map of that name.
struct ExportChoice {
    const ForeignImage* image = nullptr;
    const ForeignMap* map = nullptr;
    QString error; // for the user, when nothing fits
};
ExportChoice chooseExportMap(const ForeignPage& page, const std::optional<QByteArray>& mapName);

// The map that a usemap value names, found as browsers find it (the text after the
// first "#", compared exactly); nullptr when there is none.
const ForeignMap* mapForUsemap(const ForeignPage& page, const QByteArray& usemap);

// The area that takes the clicks no other area takes in every export: the first usable
// default area, wherever it stands, lies behind all others (where it stands before
// others, Firefox would give it their clicks and Chromium would not); a later one could
// take no click and is left out. nullptr when there is none.
const ForeignArea* fallbackArea(const ForeignMap& map);

struct PictureSize {
    int width = 0;
    int height = 0;
    QString note;  // for the user, when the size is not the picture file's own
    QString error; // for the user, when nothing tells the size
};
// The picture's own size from its header; when the file cannot be read or is of no
// kind the size reader knows (a page checked out without its pictures), the <img>
// tag's width and height, each else the extent of the map's areas.
PictureSize exportPictureSize(const QString& pagePath, const ForeignImage& image,
                              const ForeignMap& map);

} // namespace tavlo
