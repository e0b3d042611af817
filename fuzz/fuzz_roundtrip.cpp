// Every file the reader accepts, saved again from the areas read and read once more,
// must give back the same records, point texts and texts.
#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tavlo::fuzz::runCheck(tavlo::fuzz::checkRoundTrip, data, size);
}
