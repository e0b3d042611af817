#include "geometry/windowlayout.h"

#include "platform/rounding.h"

#include <algorithm>
#include <limits>

namespace tavlo {

WindowFit fitWindow(QSize canvasOuter, QSize screen)
{
    const int w = canvasOuter.width() * twipsPerPixel;
    const int h = canvasOuter.height() * twipsPerPixel;
    const int screenW = screen.width() * twipsPerPixel;
    const int screenH = screen.height() * twipsPerPixel;
    const float ratio = h > 0 ? static_cast<float>(w) / static_cast<float>(h) : 0.0f;

    // Only one dimension is tested: the width of a wide picture, else the height.
    const bool fits = ratio > 1.3f ? w < screenW - 885 : h < screenH - 600;

    WindowFit fit;
    if (fits) {
        fit.widthTwips = w + 885;
        fit.heightTwips = h + 600;
    } else {
        fit.moveToOrigin = true;
        fit.widthTwips = screenW - 500;
        fit.heightTwips = screenH - 500;
    }
    if (design::picture1Height > fit.heightTwips)
        fit.heightTwips = design::picture1Height + 500;
    return fit;
}

WindowLayout layoutWindow(QSize inside, QSize canvasOuter)
{
    const int thickness = twipsToPixels(design::scrollThickness);
    const int stripWidth = twipsToPixels(design::picture1Width);

    WindowLayout l;
    l.canvasPos = QPoint(stripWidth, 0);
    const int hTop = inside.height() - thickness;
    const int vLeft = inside.width() - thickness;
    l.hscroll =
        QRect(twipsToPixels(design::hscrollLeft), hTop, inside.width() - stripWidth, thickness);
    l.vscroll = QRect(vLeft, 0, thickness, hTop);

    // The 2 is the canvas border: the maximum is the part of the picture that does
    // not fit beside the vertical bar.
    const auto clamp = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    };
    l.hscrollMax = clamp(static_cast<long long>(canvasOuter.width()) - (vLeft - stripWidth) - 2);
    l.vscrollMax = clamp(static_cast<long long>(canvasOuter.height()) - hTop);
    return l;
}

} // namespace tavlo
