#include "export/exporttext.h"
#include "export/mapexport.h"

namespace tavlo {

using namespace exporttext;

namespace {

void appendNumberAttribute(QByteArray& out, const char* name, double value)
{
    out += ' ';
    out += name;
    out += "=\"";
    appendNumber(out, value);
    out += '"';
}

void appendShape(QByteArray& out, ForeignShape shape, const QList<double>& c, int width, int height)
{
    switch (shape) {
    case ForeignShape::Rect:
        out += "<rect";
        appendNumberAttribute(out, "x", c[0]);
        appendNumberAttribute(out, "y", c[1]);
        appendNumberAttribute(out, "width", c[2] - c[0]);
        appendNumberAttribute(out, "height", c[3] - c[1]);
        break;
    case ForeignShape::Circle:
        out += "<circle";
        appendNumberAttribute(out, "cx", c[0]);
        appendNumberAttribute(out, "cy", c[1]);
        appendNumberAttribute(out, "r", c[2]);
        break;
    case ForeignShape::Poly:
        out += "<polygon points=\"";
        for (qsizetype i = 0; i < c.size(); i += 2) {
            if (i > 0)
                out += ' ';
            appendNumber(out, c[i]);
            out += ',';
            appendNumber(out, c[i + 1]);
        }
        out += '"';
        break;
    case ForeignShape::Default:
        out += "<rect";
        appendNumberAttribute(out, "width", width);
        appendNumberAttribute(out, "height", height);
        break;
    }
    out += "/>";
}

// An area with a link is an <a> around its shape, named by its alt text (or, with
// none, by its link). Without a link the shape still takes the clicks that fall on
// it, as an area without href does in a browser.
void appendArea(QByteArray& out, const ForeignArea& area, const QList<double>& coords, int width,
                int height)
{
    if (!area.href) {
        appendShape(out, area.shape, coords, width, height);
        out += '\n';
        return;
    }
    const QByteArray& href = *area.href;
    const QByteArray& name = hasText(area.alt) ? *area.alt : href;
    out += "<a";
    appendAttribute(out, "href", cleanUrl(href));
    if (hasText(area.target))
        appendAttribute(out, "target", *area.target);
    appendAttribute(out, "aria-label", name);
    out += "><title>";
    appendMarkup(out, name);
    out += "</title>";
    appendShape(out, area.shape, coords, width, height);
    out += "</a>\n";
}

} // namespace

QByteArray exportSvg(const ForeignImage& image, const ForeignMap& map,
                     const QByteArray& picturePath, int width, int height)
{
    QByteArray out;
    out.reserve(512 + map.areas.size() * 224);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" viewBox=\"0 0 ";
    appendNumber(out, width);
    out += ' ';
    appendNumber(out, height);
    out += "\">\n";
    if (hasText(image.alt)) {
        out += "<title>";
        appendMarkup(out, *image.alt);
        out += "</title>\n";
    }
    out += "<image";
    appendAttribute(out, "href", cleanUrl(picturePath));
    appendNumberAttribute(out, "width", width);
    appendNumberAttribute(out, "height", height);
    out += "/>\n";
    // Invisible shapes that still take the pointer.
    out += "<g fill=\"#000\" fill-opacity=\"0\" stroke=\"none\" pointer-events=\"all\">\n";

    // Later shapes lie on top, and in a browser the first area that holds a point wins:
    // the fallback comes first, then the areas from the last to the first.
    if (const ForeignArea* fallback = fallbackArea(map))
        appendArea(out, *fallback, {}, width, height);
    for (qsizetype i = map.areas.size() - 1; i >= 0; --i) {
        const ForeignArea& area = map.areas[i];
        if (area.shape == ForeignShape::Default)
            continue;
        if (const auto coords = shapeCoords(area))
            appendArea(out, area, *coords, width, height);
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace tavlo
