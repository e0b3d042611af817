#pragma once

#include "html/foreignpage.h"
#include "map/area.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tavlo {

// An area as a Tavlo map holds it: one of the three shapes, whole numbers as its
// record writes them, and the three link texts.
struct TavloArea {
    ForeignShape shape = ForeignShape::Rect; // Rect, Circle or Poly
    QList<int> coords;
    QByteArray href;
    QByteArray target;
    QByteArray alt;
};

// Equal when a browser sees the same area: an empty or missing link and "#" are one.
bool sameArea(const TavloArea& a, const TavloArea& b);

// The area of a page as Tavlo holds it, or why it cannot: a shape the editor does not
// draw, an area browsers ignore, or numbers beyond the editor's range. Fractions are
// rounded, halves to the even neighbour, as every whole number in Tavlo.
struct AreaConversion {
    std::optional<TavloArea> area;
    QString reason; // when there is no area
};
AreaConversion tavloAreaOf(const ForeignArea& area);

// The same, for a map file that is to give the area back exactly: a text holding what
// Tavlo's reader turns into a character ("&quot;" meant as text) stays behind too.
AreaConversion importableArea(const ForeignArea& area);

// Record (with its tail), point text and region, as the editor builds them.
AreaShape areaShapeOf(const TavloArea& area);

// The area a record of Tavlo's map reader stands for.
TavloArea tavloAreaOf(const QByteArray& record, const QByteArray& href, const QByteArray& target,
                      const QByteArray& alt);

// Something of the page that the map file does not carry, with the tag it is in.
struct ImportNote {
    SourceSpan where;
    QString text;
};

struct MapImport {
    enum class Status {
        Done,
        NoMaps,      // the page has no <map>
        NoSuchMap,   // no map of the name asked for
        SeveralMaps, // no name given and more than one map
        NoPicture,   // no <img> uses the map
        PictureAway, // the picture is not a local file
        PictureKind, // not a GIF or JPEG, which the editor cannot open
        NoAreas,     // nothing a Tavlo map can hold
    };
    Status status = Status::Done;
    QByteArray tavl;    // the map file's bytes
    QByteArray mapName; // the map read
    QString picture;    // the picture's path
    QList<ImportNote> notes;
    QString error; // with any status but Done: what to tell the user
};

// The map of a page (the one named, or its only map) as the bytes of a Tavlo map
// file written to tavlFile: Tavlo's own writer, the picture addressed from the map
// file's folder so that the editor finds it.
MapImport importMap(const QByteArray& page, const QString& pageFile, const QByteArray& mapName,
                    const QString& tavlFile);

} // namespace tavlo
