#pragma once

#include "map/area.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tavlo {

// The three tags every written map carries. Returns the error text naming each one
// missing, on its own line, or "" when all are there.
[[nodiscard]] QString checkMapTags(const QByteArray& text);

// One area rebuilt from an AREA tag. Its links are the texts of that same tag: the
// HREF "#" when the tag has none or an empty one, TARGET and ALT "" when none.
struct ReadArea {
    MapArea area;
    int number = 0;    // the tag's place in the map section, from 1
    qsizetype tag = 0; // where its tag begins in the map section (its "<")
};

// Why an AREA tag of the map section is not rebuilt.
enum class NotRebuilt {
    No,                   // rebuilt, but loses what `dropped` names
    InsideValue,          // it stands inside a quoted value of another tag
    InsideTag,            // it stands inside another tag
    NoCoords,             // no COORDS= (in capitals) outside its quoted values
    NoShape,              // no SHAPE attribute
    ShapeNotBeforeCoords, // SHAPE is not in the 20 characters before COORDS
    UnknownShape,         // SHAPE is none of rect, circle, poly (`shape` holds it)
    Other,                // none of these, yet not read as an area
};

// An AREA tag of the map section that a save will not write back whole.
struct AreaNote {
    int number = 0;    // its place among the AREA tags of the map section, from 1
    qsizetype tag = 0; // where it begins in the map section (its "<")
    NotRebuilt notRebuilt = NotRebuilt::No;
    QByteArray shape;          // with UnknownShape: the SHAPE value as written
    QList<QByteArray> dropped; // when rebuilt: attributes (names as written) not kept
};

// A COORDS value that is not a number or does not fit, which refuses the whole map.
struct RefusedCoords {
    int area = 0;     // the area's place in the map section, from 1
    QByteArray value; // the COORDS text as it stands
};

struct [[nodiscard]] MapRead {
    QList<ReadArea> areas; // in file order; tags of unknown shape are skipped
    bool noCoords = false; // no COORDS at all: "There appears to be no mapped areas, ..."
    // Set when the map is refused; areas and notes are then empty.
    std::optional<RefusedCoords> refused;
    // Every AREA tag that is not rebuilt, or rebuilt without all it says, in order.
    QList<AreaNote> notes;
};

// Rebuilds every area of a map section (htmlMap of ChtmlPage). All or nothing: a
// value that cannot be used refuses the whole map.
MapRead parseMap(const QByteArray& htmlMap);

// What the user reads about the notes of a map before saving it: each affected area by
// its number, the first `shown` of them, then how many more.
[[nodiscard]] QString notesText(const QList<AreaNote>& notes, int shown = 15);

} // namespace tavlo
