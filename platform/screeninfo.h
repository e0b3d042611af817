#pragma once

#include <QSize>

namespace tavlo {

// The size of the screen a window is on, in pixels. Tests pass a fixed stand-in.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual QSize screenSize() const = 0;
};

} // namespace tavlo
