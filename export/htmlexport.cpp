#include "export/exporttext.h"
#include "export/mapexport.h"
#include "platform/pathops.h"

namespace tavlo {

using namespace exporttext;

namespace {

// Our own few lines, the same in every page: each area's coordinates, kept in
// data-coords for the picture's size in its width and height attributes, are
// recomputed from the size the page gives the picture, whenever that changes.
constexpr char followScript[] = R"(<script>
(function () {
  "use strict";
  var img = document.querySelector("img[usemap]");
  var areas = document.querySelectorAll("area[data-coords]");
  function place() {
    var box = img.getBoundingClientRect();
    var kx = box.width / Number(img.getAttribute("width"));
    var ky = box.height / Number(img.getAttribute("height"));
    if (!(kx > 0) || !(ky > 0)) return;
    for (var i = 0; i < areas.length; i++) {
      var circle = areas[i].getAttribute("shape") === "circle";
      var coords = areas[i].getAttribute("data-coords").split(",").map(function (v, j) {
        var k = circle && j === 2 ? Math.min(kx, ky) : j % 2 ? ky : kx;
        return Math.round(Number(v) * k * 100) / 100;
      });
      areas[i].setAttribute("coords", coords.join(","));
    }
  }
  if (window.ResizeObserver) new ResizeObserver(place).observe(img);
  window.addEventListener("resize", place);
  img.addEventListener("load", place);
  place();
})();
</script>
)";

// A map name must be non-empty and free of blanks in a valid page.
QByteArray validMapName(const QByteArray& name)
{
    QByteArray valid = name;
    for (char& c : valid) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r')
            c = '-';
    }
    return valid.isEmpty() ? QByteArrayLiteral("map") : valid;
}

void appendArea(QByteArray& out, const ForeignArea& area, const QList<double>& coords)
{
    out += "<area";
    appendAttribute(out, "shape", shapeKeyword(area.shape));
    if (area.shape != ForeignShape::Default) {
        QByteArray list;
        for (qsizetype i = 0; i < coords.size(); ++i) {
            if (i > 0)
                list += ',';
            appendNumber(list, coords[i]);
        }
        out += " coords=\"" + list + "\" data-coords=\"" + list + '"';
    }
    if (area.href) {
        appendAttribute(out, "href", cleanUrl(*area.href));
        if (hasText(area.target))
            appendAttribute(out, "target", *area.target);
        // A link needs a text; with none of its own, the link names itself.
        appendAttribute(out, "alt", hasText(area.alt) ? *area.alt : *area.href);
    }
    // Without a link, a valid page has neither target nor alt on the area.
    out += ">\n";
}

} // namespace

QByteArray exportHtml(const ForeignImage& image, const ForeignMap& map,
                      const QByteArray& picturePath, int width, int height)
{
    const QByteArray name = validMapName(map.name);
    QByteArray alt = image.alt.value_or(QByteArray());
    if (alt.isEmpty())
        alt = map.name.isEmpty() ? fileTitle(QString::fromUtf8(picturePath)).toUtf8() : map.name;
    if (alt.trimmed().isEmpty())
        alt = "Image map";

    QByteArray out;
    out.reserve(2048 + map.areas.size() * 224);
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    appendMarkup(out, alt);
    out += "</title>\n</head>\n<body>\n<img";
    appendAttribute(out, "src", cleanUrl(picturePath));
    out +=
        " width=\"" + QByteArray::number(width) + "\" height=\"" + QByteArray::number(height) + '"';
    appendAttribute(out, "alt", alt);
    appendAttribute(out, "usemap", '#' + name);
    out += " style=\"max-width:100%;height:auto\">\n<map";
    appendAttribute(out, "name", name);
    out += ">\n";
    // In a browser the first area that holds a point wins: the fallback goes last.
    for (const ForeignArea& area : map.areas) {
        if (area.shape == ForeignShape::Default)
            continue;
        if (const auto coords = shapeCoords(area))
            appendArea(out, area, *coords);
    }
    if (const ForeignArea* fallback = fallbackArea(map))
        appendArea(out, *fallback, {});
    out += "</map>\n";
    out += followScript;
    out += "</body>\n</html>\n";
    return out;
}

} // namespace tavlo
