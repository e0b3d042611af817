// Any bytes as a page: the splitter's three pieces must give the page back, and the
// image name must be taken out without touching the file system.
#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tavlo::fuzz::runCheck(tavlo::fuzz::checkHtmlPage, data, size);
}
