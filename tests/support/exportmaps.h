#pragma once

#include "html/foreignpage.h"
#include "support/files.h"

#include <QTemporaryDir>

namespace tavlo::test {

inline ForeignArea foreignArea(ForeignShape shape, QList<double> coords,
                               const QByteArray& href = {}, const QByteArray& alt = {})
{
    ForeignArea a;
    a.shape = shape;
    a.coords = std::move(coords);
    a.hasHref = !href.isNull();
    a.href = href;
    a.hasAlt = !alt.isNull();
    a.alt = alt;
    return a;
}

inline ForeignImage foreignImage(const QByteArray& src, const QByteArray& usemap,
                                 const QByteArray& alt = {})
{
    ForeignImage i;
    i.src = src;
    i.usemap = usemap;
    i.alt = alt;
    return i;
}

// What tests/golden/export/harbour-page.htm holds: the harbour picture with one area
// of each shape, a target, and alt texts with markup characters and a Latin-1 byte.
inline ForeignImage harbourImage()
{
    ForeignImage image = foreignImage("harbour.gif", "#harbour", "Skagen harbour");
    image.hasWidth = image.hasHeight = true;
    image.width = 640;
    image.height = 400;
    return image;
}

inline ForeignMap harbourMap()
{
    ForeignMap map;
    map.name = "harbour";
    map.areas.append(foreignArea(ForeignShape::Rect, {40, 60, 200, 160}, "quay.htm", "The quay"));
    ForeignArea lighthouse = foreignArea(ForeignShape::Circle, {480, 120, 50}, "light.htm?a=1&b=2",
                                         R"(Tom's "light" <&>)");
    lighthouse.hasTarget = true;
    lighthouse.target = "_blank";
    map.areas.append(lighthouse);
    map.areas.append(foreignArea(ForeignShape::Poly, {300, 250, 420, 380, 180, 380}, "boats.htm",
                                 "Boats at Sk\xe5gen"));
    map.areas.append(foreignArea(ForeignShape::Default, {}, "harbour.htm", "The whole harbour"));
    return map;
}

// The harbour map with its default area first, where browsers part: the exports put it last.
inline ForeignMap defaultFirstMap()
{
    ForeignMap map = harbourMap();
    map.areas.move(3, 0);
    return map;
}

// A point of the harbour picture, in its pixels, and the link a click there follows.
struct Probe {
    int x, y;
    const char* href;
};

// A point inside each area of the harbour map; the default takes what no other holds.
inline const QList<Probe> harbourProbes = {{120, 110, "quay.htm"},
                                           {480, 120, "light.htm?a=1&b=2"},
                                           {300, 340, "boats.htm"},
                                           {20, 380, "harbour.htm"}};

// Writes a page for a browser into DIR, beside the harbour picture; the page's path.
inline QString writeBesideHarbour(const QTemporaryDir& dir, const QByteArray& page)
{
    writeAll(dir.filePath("harbour.gif"), sourceFile("examples/harbour.gif"));
    writeAll(dir.filePath("page.html"), page);
    return dir.filePath("page.html");
}

} // namespace tavlo::test
