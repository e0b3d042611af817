#pragma once

#include "markup/foreignpage.h"

namespace tavlo::test {

// A stand-in for the gumbo reader, for the command's tests on a branch that does not
// have it: readForeignPage gives what was registered for exactly these bytes, and an
// empty page for any other. The registered values are what the real reader makes of
// those bytes, so the same tests run unchanged over the real reader.
void registerForeignPage(const QByteArray& bytes, const ForeignPage& page);

} // namespace tavlo::test
