// Any bytes as a page of someone else's: the reader finds tags where they are, and an
// unchanged import applied back gives the page unchanged.
#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tavlo::fuzz::runCheck(tavlo::fuzz::checkForeignPage, data, size);
}
