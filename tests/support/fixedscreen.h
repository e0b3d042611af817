#pragma once

#include "platform/screeninfo.h"

namespace tavlo::test {

// A screen of a fixed size, whatever the machine's.
class FixedScreen final : public ScreenInfo {
public:
    explicit FixedScreen(QSize size)
        : m_size(size)
    {}
    QSize screenSize() const override { return m_size; }

private:
    QSize m_size;
};

} // namespace tavlo::test
