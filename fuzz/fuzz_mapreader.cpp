// Any bytes as a whole opened file: the tag check, the split and the map reader, in
// the order the program runs them.
#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tavlo::fuzz::runCheck(tavlo::fuzz::checkMapReader, data, size);
}
