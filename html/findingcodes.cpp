#include "html/findingcodes.h"

namespace tavlo {

namespace {

using namespace Qt::Literals::StringLiterals;
using enum FindingLevel;

// clang-format off
constexpr FindingCode table[] = {
    {"missing-alt"_L1, Error, "an area with a link has no alt text"_L1},
    {"empty-href"_L1, Warning, "an area's link is empty or \"#\""_L1},
    {"off-image"_L1, Error, "an area lies outside the picture (partly outside: a warning)"_L1},
    {"no-size"_L1, Error, "a rectangle, circle or polygon of no size"_L1},
    {"unreachable"_L1, Error, "earlier areas cover the area, so no click reaches it"_L1},
    {"default-order"_L1, Warning, "areas after a default area are reached in some browsers and not in others; put the default area last"_L1},
    {"unusable"_L1, Error, "an area browsers ignore: too few numbers, a negative radius"_L1},
    {"unknown-shape"_L1, Warning, "a shape keyword browsers do not know, taken as a rectangle"_L1},
    {"shape-alias"_L1, Warning, "a non-standard shape name (rectangle, circ, polygon)"_L1},
    {"coords-reading"_L1, Warning, "a coords number that browsers read differently"_L1},
    {"size-mismatch"_L1, Warning, "an image's width or height differ from its picture's own"_L1},
    {"size-not-pixels"_L1, Warning, "an image's width or height is not a size in pixels"_L1},
    {"img-missing-alt"_L1, Error, "an image with a usemap has no alt text"_L1},
    {"missing-picture"_L1, Warning, "the picture of an image with a usemap is not found"_L1},
    {"no-map"_L1, Error, "a usemap names no map, or lacks its #"_L1},
    {"duplicate-map"_L1, Warning, "a second map of a name already used; browsers use the first"_L1},
    {"not-kept"_L1, Warning, "what the Tavlo editor would not write back into the page"_L1},
    {"cut-short"_L1, Error, "the page ends inside a tag, which browsers drop"_L1},
};
// clang-format on

} // namespace

std::span<const FindingCode> findingCodes()
{
    return table;
}

std::optional<FindingCode> findingCode(QLatin1StringView code)
{
    for (const FindingCode& entry : table) {
        if (entry.code == code)
            return entry;
    }
    return std::nullopt;
}

QLatin1StringView levelName(FindingLevel level)
{
    return level == FindingLevel::Error ? "error"_L1 : "warning"_L1;
}

} // namespace tavlo
