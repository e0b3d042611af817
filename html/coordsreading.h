#pragma once

#include "html/foreignpage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

namespace tavlo {

// How the browsers read the numbers of an area's coords, where they part. Chromium
// reads the list as HTML says and keeps each number within 2^25 pixels either way;
// Firefox splits it at commas and blanks only (an empty item is 0) and reads each item
// as C's atoi does: "1.2e2" is 1, ".5" and "x20" are 0, whole numbers wrap at 32 bits.

// Firefox's numbers, in order.
QList<qint64> firefoxCoords(QByteArrayView coords);

struct CoordsReading {
    QStringList differences; // "Firefox reads 1.2e2 as 1, .5 as 0"; empty: read alike
    QByteArray plain;        // the numbers as plain whole ones that every browser reads alike
};

// What the browsers make of coords for the shape: the same area, or how they differ.
CoordsReading compareCoordsReadings(ForeignShape shape, QByteArrayView coords);

} // namespace tavlo
