#pragma once

#include "map/areatools.h"
#include "map/mapdocument.h"
#include "map/xorcanvas.h"

#include <QImage>
#include <QList>
#include <QPointF>

namespace tavlo::test {

// A picture on which every pixel of an outline or a tint left behind shows.
inline QImage patternedPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    return image;
}

// A left-button drag through the points: press at the first, release at the last.
inline void drag(AreaTools& tools, const QList<QPointF>& path)
{
    tools.press(Qt::LeftButton, path.first());
    for (qsizetype i = 1; i + 1 < path.size(); ++i)
        tools.move(Qt::LeftButton, path[i]);
    tools.release(Qt::LeftButton, path.last());
}

// A left-button click at each point in turn.
inline void clickEach(AreaTools& tools, const QList<QPointF>& points)
{
    for (QPointF p : points) {
        tools.press(Qt::LeftButton, p);
        tools.release(Qt::LeftButton, p);
    }
}

// What is left of picture once every area of doc has its outline and tint drawn away.
inline QImage withoutAreas(QImage picture, const MapDocument& doc)
{
    XorCanvas canvas(picture, [](const QRegion&) {});
    for (qsizetype i = 0; i < doc.size(); ++i) {
        canvas.drawOutline(doc.area(i));
        canvas.tint(doc.region(i));
    }
    return picture;
}

} // namespace tavlo::test
