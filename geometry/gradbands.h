#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QSize>

class QPainter;

namespace tavlo {

struct GradBand {
    QRect rect; // in twips, window coordinates
    QColor colour;
};

// The 63 bands of a message window's background, brightest at the bottom unless
// fromTop. outerTwips is the window's outer size in twips.
QList<GradBand> gradBands(QSize outerTwips, int red, int green, int blue, bool fromTop);

// Paints the bands onto a window of outerPixels, scaling twips to pixels.
void GradBands(QPainter& painter, QSize outerPixels, int red, int green, int blue, bool fromTop);

} // namespace tavlo
