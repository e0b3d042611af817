#pragma once

#include "html/foreignpage.h"

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

} // namespace tavlo::test
