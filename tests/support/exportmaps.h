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
    if (!href.isNull())
        a.href = href;
    if (!alt.isNull())
        a.alt = alt;
    return a;
}

inline ForeignImage foreignImage(const QByteArray& src, const QByteArray& usemap)
{
    ForeignImage i;
    i.src = src;
    i.usemap = usemap;
    return i;
}

// tests/golden/export/harbour-page.htm: the harbour picture with one area of each shape,
// a target, and alt texts with markup characters and a Latin-1 byte.
inline ForeignPage harbourPage()
{
    return readForeignPage(sourceFile("tests/golden/export/harbour-page.htm"));
}

// The harbour map with its default area first, where browsers part: the exports put it last.
inline ForeignMap defaultFirstMap()
{
    ForeignMap map = harbourPage().maps.value(0);
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
