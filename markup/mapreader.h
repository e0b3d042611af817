#pragma once

#include "editor/mapdocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavlo {

// The three tags every written map carries. Returns the error text naming each one
// missing, on its own line, or "" when all are there.
QString checkMapTags(const QByteArray& text);

// One area rebuilt from an AREA tag, with the texts of that same tag.
struct ReadArea {
    AreaShape shape;   // record (with its tail), point text and region
    QByteArray href;   // "#" when the tag has none or an empty one
    QByteArray target; // "" when none
    QByteArray alt;    // "" when none
    int number = 0;    // the tag's place in the map section, from 1
};

struct MapRead {
    enum class Status {
        Done,
        NoCoords,  // "There appears to be no mapped areas, ..."
        BadCoords, // a COORDS value that is not a number or does not fit
    };
    Status status = Status::Done;
    QList<ReadArea> areas; // in file order; tags of unknown shape are skipped
    int badArea = 0;       // with BadCoords: the area number
    QByteArray badValue;   // with BadCoords: the COORDS text as it stands
};

// Rebuilds every area of a map section (htmlMap of ChtmlPage). All or nothing: a
// value that cannot be used refuses the whole map.
MapRead parseMap(const QByteArray& htmlMap);

} // namespace tavlo
