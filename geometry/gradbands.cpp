#include "geometry/gradbands.h"

#include "platform/rounding.h"

#include <QPainter>

#include <algorithm>

namespace tavlo {

namespace {

constexpr int bandCount = 63;
constexpr int darkenStep = 4;

int darker(int component)
{
    const int next = component - darkenStep;
    return next < 1 ? 0 : next;
}

} // namespace

QList<GradBand> gradBands(QSize outerTwips, int red, int green, int blue, bool fromTop)
{
    // Plain int throughout: a window taller or wider than 32767 twips must still paint.
    const int height = std::max(0, outerTwips.height());
    const int w = std::max(0, outerTwips.width());
    const int h = roundToInt(height / static_cast<double>(bandCount));
    int y1 = fromTop ? 0 : height - h;
    red = std::clamp(red, 0, 255);
    green = std::clamp(green, 0, 255);
    blue = std::clamp(blue, 0, 255);

    QList<GradBand> bands;
    bands.reserve(bandCount);
    for (int i = 0; i < bandCount; ++i) {
        bands.append({QRect(0, y1, w, h), QColor(red, green, blue)});
        red = darker(red);
        green = darker(green);
        blue = darker(blue);
        y1 = fromTop ? y1 + h : y1 - h;
    }
    return bands;
}

void GradBands(QPainter& painter, QSize outerPixels, int red, int green, int blue, bool fromTop)
{
    const QSize outerTwips(outerPixels.width() * twipsPerPixel,
                           outerPixels.height() * twipsPerPixel);
    for (const GradBand& band : gradBands(outerTwips, red, green, blue, fromTop)) {
        // Both edges of every band are rounded the same way, so neighbours meet without a
        // gap or an overlap whatever the band height in pixels.
        const int top = twipsToPixels(band.rect.y());
        const int bottom = twipsToPixels(band.rect.y() + band.rect.height());
        const int right = twipsToPixels(band.rect.x() + band.rect.width());
        painter.fillRect(QRect(0, top, right, bottom - top), band.colour);
    }
}

} // namespace tavlo
