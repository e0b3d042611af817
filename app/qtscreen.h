#pragma once

#include "platform/screeninfo.h"

class QWidget;

namespace tavlo {

// The available area of the screen that a window is on.
class QtScreen final : public ScreenInfo {
public:
    explicit QtScreen(const QWidget* window)
        : m_window(window)
    {}
    QSize screenSize() const override;

private:
    const QWidget* m_window;
};

} // namespace tavlo
