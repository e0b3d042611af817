#pragma once

#include "session/endwindow.h"

namespace tavlo::test {

// The what-next window, answered at once.
class ScriptedEndWindow final : public EndWindow {
public:
    EndChoice run() override
    {
        ++shown;
        return choice;
    }
    EndChoice choice = EndChoice::Another;
    int shown = 0;
};

} // namespace tavlo::test
