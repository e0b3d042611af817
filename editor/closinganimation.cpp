#include "editor/closinganimation.h"

#include "platform/pause.h"
#include "platform/rounding.h"

#include <QWidget>

#include <algorithm>

namespace tavlo {

void collapseAndNarrow(QWidget& window, Pause& pause)
{
    // Each loop is bounded, since a window manager may keep a minimum size of its own.
    int heightTwips = window.height() * twipsPerPixel;
    for (int i = 0, n = roundToInt(heightTwips / 2.0); i < n; ++i) {
        pause.processEvents();
        heightTwips = window.height() * twipsPerPixel - 200;
        window.resize(window.width(), std::max(1, twipsToPixels(heightTwips)));
        if (heightTwips <= 210)
            break;
    }
    window.resize(window.width(), std::max(1, twipsToPixels(2)));
    int widthTwips = window.width() * twipsPerPixel;
    for (int i = 0, n = roundToInt(widthTwips / 2.0); i < n; ++i) {
        pause.processEvents();
        widthTwips = window.width() * twipsPerPixel - 200;
        window.resize(std::max(1, twipsToPixels(widthTwips)), window.height());
        if (widthTwips <= 2200) {
            window.resize(twipsToPixels(2200), window.height());
            window.setWindowTitle(QStringLiteral("   ...later"));
            pause.pause(300);
            break;
        }
    }
}

} // namespace tavlo
