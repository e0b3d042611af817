#pragma once

#include <QPointF>

#include <array>

namespace tavlo {

// A rectangle of a list picture, in its pixels, with every bound excluded. The bounds
// were measured in twips against the pointer; at 15 twips to the pixel on both axes
// that is the same as comparing pixels.
struct HelpBand {
    int left;
    int right;
    int top;
    int bottom;

    bool contains(QPointF pixel) const
    {
        return left < pixel.x() && pixel.x() < right && top < pixel.y() && pixel.y() < bottom;
    }
};

// The picture that stands beside the left-button list while an entry is pointed at.
enum class LeftPicture { None, HrefField, TargetField, EnterButton, CancelButton, DeleteButton };

// Texts are UTF-8 with CR LF line breaks.
struct RightHelpEntry {
    const char* name;
    HelpBand band;
    int heightTwips; // of txtRight while this text shows
    const char* text;
};

struct LeftHelpEntry {
    const char* name;
    HelpBand band;
    const char* text;
    LeftPicture picture;
};

// In the order the bands are tested: where bands overlap the earlier entry wins.
extern const std::array<RightHelpEntry, 6> rightHelpEntries;
extern const std::array<LeftHelpEntry, 5> leftHelpEntries;

// Shown when the pointer is on a list picture but on none of its entries.
extern const char* const rightDefaultText;
extern const char* const leftDefaultText;
constexpr int rightDefaultHeightTwips = 800;
constexpr int leftHeightTwips = 800;

// What both description boxes say before the pointer has been on a list.
extern const char* const designText;

// The index of the first entry whose band holds the point (pixels of the list picture),
// or -1.
int rightEntryAt(QPointF pixel);
int leftEntryAt(QPointF pixel);

} // namespace tavlo
