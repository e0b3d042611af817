#pragma once

#include "map/area.h"

#include <QList>
#include <QPoint>

// Areas from inputs a test knows to be good; value() stops the test on a refused one.
namespace tavlo::test {

inline MapArea rect(int x1, int y1, int x2, int y2)
{
    return MapArea::rectangle({x1, y1}, {x2, y2}).value();
}

inline MapArea circle(int cx, int cy, float radius)
{
    return MapArea::circle({cx, cy}, radius).value();
}

inline MapArea poly(const QList<QPoint>& vertices)
{
    return MapArea::polygon(vertices).value();
}

} // namespace tavlo::test
