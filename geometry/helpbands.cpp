#include "geometry/helpbands.h"

namespace tavlo {

const std::array<RightHelpEntry, 6> rightHelpEntries{{
    {"Open",
     {83, 129, 1, 23},
     1200,
     "If you would rather use a dialog box to open an image file, rather than use drag and "
     "drop."},
    {"Save to Clipboard",
     {33, 145, 20, 36},
     1200,
     "Saves your current mapping to the clipboard. Paste into whatever you wish."},
    {"Save As HTML",
     {33, 125, 38, 57},
     1900,
     "When starting a fresh page -- Saves your current mapping to an HTML file. Standard file "
     "dialog opens, letting you browse for file name and location."},
    {"Save As Text",
     {33, 117, 64, 80},
     1900,
     "Useful for when you are drawing up several maps and wish to keep them in separate text "
     "files. As with \"Save As HTML\", dialog opens for file name and location."},
    {"Save in Original Page",
     {33, 154, 80, 100},
     1900,
     "Save a map gleaned from an HTML page, preserving the rest of the original page. Save as "
     "whatever filename, to whatever location you wish."},
    {"Exit",
     {86, 120, 100, 118},
     1900,
     "  To close Tavlo.\r\n\r\nIf your current map is as yet unsaved, prompt to save will pop "
     "up before Tavlo closes."},
}};

const std::array<LeftHelpEntry, 5> leftHelpEntries{{
    {"HREF",
     {78, 126, 1, 22},
     "Space to enter the URL link for the area of the map clicked upon.",
     LeftPicture::HrefField},
    {"Target",
     {79, 126, 23, 47},
     "Space to enter a TARGET for above URL. Can be left blank.",
     LeftPicture::TargetField},
    {"Enter",
     {29, 73, 47, 71},
     "Saves the values entered into HREF (and TARGET, if any.)",
     LeftPicture::EnterButton},
    {"Cancel",
     {30, 72, 72, 97},
     "Cancels anything entered in HREF and TARGET spaces. Returns you to the map.",
     LeftPicture::CancelButton},
    {"Delete",
     {78, 131, 98, 119},
     "DELETES THE SELECTED AREA OF THE MAP.",
     LeftPicture::DeleteButton},
}};

const char* const rightDefaultText = "Choices available when you click on the right mouse button.";
const char* const leftDefaultText = "Choices available when you click on the left mouse button.";
const char* const designText = "Choices available when you click on the right-mouse button.\r\n";

namespace {

template <typename Entries> int entryAt(const Entries& entries, QPointF pixel)
{
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries[i].band.contains(pixel))
            return i;
    }
    return -1;
}

} // namespace

int rightEntryAt(QPointF pixel)
{
    return entryAt(rightHelpEntries, pixel);
}

int leftEntryAt(QPointF pixel)
{
    return entryAt(leftHelpEntries, pixel);
}

} // namespace tavlo
