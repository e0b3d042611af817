#pragma once

#include "html/foreignpage.h"
#include "map/area.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tavlo {

// Equal when a browser sees the same area: the same shape, the numbers its record
// writes, and the same links, where an empty or missing link and "#" are one.
[[nodiscard]] bool sameArea(const MapArea& a, const MapArea& b);

// The area of a page as Tavlo holds it, with its links, or why it cannot: a shape the
// editor does not draw, an area browsers ignore, or numbers beyond the editor's range.
// Fractions are rounded, halves to the even neighbour, as every whole number in Tavlo.
struct [[nodiscard]] AreaConversion {
    std::optional<MapArea> area;
    QString reason; // when there is no area
};
AreaConversion tavloAreaOf(const ForeignArea& area);

// The same, for a map file that is to give the area back exactly: a text holding what
// Tavlo's reader turns into a character ("&quot;" meant as text) stays behind too.
AreaConversion importableArea(const ForeignArea& area);

// Something of the page that the map file does not carry, with the tag it is in.
struct ImportNote {
    SourceSpan where;
    QString text;
};

struct [[nodiscard]] MapImport {
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
