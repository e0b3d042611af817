#pragma once

#include "platform/pause.h"

#include <QList>

namespace tavlo::test {

// Returns at once; remembers every pause asked for.
class RecordingPause final : public Pause {
public:
    void pause(int ms) override { pauses.append(ms); }
    void processEvents() override { ++eventRuns; }

    QList<int> pauses;
    int eventRuns = 0;
};

} // namespace tavlo::test
