#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tavlo {

// Whole numbers are taken from floating-point positions with halves going to the
// even neighbour, everywhere in the program (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to-nearest-even
}

// A value beyond int's range gives the nearest end of it, NaN gives 0: converting
// either to int directly is undefined.
inline int roundToInt(double v)
{
    const double whole = roundHalfEven(v);
    if (std::isnan(whole))
        return 0;
    if (whole <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (whole >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(whole);
}

// 15 twips to the pixel, always.
constexpr int twipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return roundToInt(twips / twipsPerPixel);
}

} // namespace tavlo
