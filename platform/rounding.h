#pragma once

#include <cmath>
#include <cstdint>

namespace tavlo {

// Whole numbers are taken from floating-point positions with halves going to the
// even neighbour, everywhere in the program (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to-nearest-even
}

inline int roundToInt(double v)
{
    return static_cast<int>(roundHalfEven(v));
}

// 15 twips to the pixel, always.
constexpr int twipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return roundToInt(twips / twipsPerPixel);
}

} // namespace tavlo
