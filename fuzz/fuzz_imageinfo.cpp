// Any bytes as a picture file's header: readImageInfo must never read outside them
// and never give a negative size.
#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tavlo::fuzz::runCheck(tavlo::fuzz::checkImageInfo, data, size);
}
