#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {

struct MapApply {
    enum class Status {
        Done,
        BadMapFile, // not a map file Tavlo's reader opens
        NoSuchMap,  // the page has no map to write into
    };
    Status status = Status::Done;
    QByteArray page; // the page with the map written back
    QString error;   // with any status but Done: what to tell the user
    int kept = 0;    // areas whose tags stay byte for byte
    int written = 0; // areas changed or added, written fresh
    int removed = 0;
};

// Writes the areas of a Tavlo map file into the page's map: the one named mapName,
// else the one of the map file's name, else the one an <img> of the map file's
// picture uses. Every byte outside that map stays; an area that is unchanged keeps
// its tag as it stands; areas the map file does not carry (a default, one browsers
// ignore) stay where they are.
MapApply applyMap(const QByteArray& mapFile, const QByteArray& page,
                  const QByteArray& mapName = {});

} // namespace tavlo
