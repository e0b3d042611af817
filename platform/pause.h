#pragma once

namespace tavlo {

// The program's only way to wait. In the program it runs a local event loop that
// repaints windows but lets no user input through; tests pass a stand-in that
// returns at once and records what was asked.
class Pause {
public:
    virtual ~Pause() = default;
    // Waits ms milliseconds while windows keep painting.
    virtual void pause(int ms) = 0;
    // Lets pending window events run (paints, resizes), but no user input.
    virtual void processEvents() = 0;
};

class EventLoopPause final : public Pause {
public:
    void pause(int ms) override;
    void processEvents() override;
};

} // namespace tavlo
