#pragma once

#include <QSize>

namespace tavlo {

// The size of the screen a window is on, in pixels. Tests pass a fixed stand-in.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual QSize screenSize() const = 0;
};

class FixedScreen final : public ScreenInfo {
public:
    explicit FixedScreen(QSize size)
        : m_size(size)
    {}
    QSize screenSize() const override { return m_size; }

private:
    QSize m_size;
};

} // namespace tavlo
