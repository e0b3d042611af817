#pragma once

namespace tavlo {

enum class EndChoice { Quit, Preview, Another };

// The what-next window offered after every save. Tests answer at once.
class EndWindow {
public:
    virtual ~EndWindow() = default;
    // Shows frmEnd modally. On Quit the "See You" farewell has run before it returns.
    virtual EndChoice run() = 0;
};

} // namespace tavlo
