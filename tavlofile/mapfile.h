#pragma once

#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringView>

namespace tavlo {

// Scroll maxima and the canvas position are 16-bit in the window's arithmetic, so no
// side of a mapped picture may pass this.
constexpr int largestPicture = 32767;

// A picture opened for mapping, or why it cannot be.
struct PictureFile {
    enum class Error {
        None,
        NotRecognised,   // not a kind the editor opens, not a plain file, or not decoded
        CouldNotOpen,    // gone, or not readable
        TooLarge,        // its header announces a side past largestPicture (`announced`)
        DecodedTooLarge, // decoded, it has a side past largestPicture
        TooLargeToLoad,  // within largestPicture (`announced`), but no memory for its pixels
    };
    Error error = Error::None;
    QSize announced;   // with TooLarge and TooLargeToLoad: the picture's size
    QImage picture;    // the decoded picture
    ImageMarkup image; // its tags: the file name and the size reader's size
};

// Every check comes before the picture is decoded whole where it can: the kind first,
// whatever the road (the decoder would take PNG or BMP too), then a plain file only (a
// pipe or a device would block the decoder for good), then the announced size. The
// decoder may allocate what a picture of largestPicture by largestPicture needs.
PictureFile openPicture(const QString& path);

// A map file or page, opened, split and read, or why it cannot be.
struct MapFile {
    enum class Error {
        None,
        CouldNotRead,     // `reason` says why
        TagsMissing,      // `reason` names each tag missing (checkMapTags)
        NoStartMarker,    // no start marker
        NoEndMarker,      // no end marker after it
        EndMarkerAltered, // the end marker is not whole
        BadCoords,        // map.refused names the COORDS refused
    };
    Error error = Error::None;
    QString reason;
    ChtmlPage page;
    MapRead map;
    // The picture the map names, where it can be opened; "" when it cannot be found (the
    // window then asks the user).
    QString image;
    // A page (not a map or text file) may have its map written back in place.
    bool pageKind = false;
};

// key is the extension key of path (extensionKey), which tells a page from a map file.
MapFile openMapFile(const QString& path, QStringView key);

// A save, done or why not. Nothing is half-written either way.
struct [[nodiscard]] SavedMap {
    enum class Error {
        None,
        WriteFailed, // `reason` says why, for the user
        // The page to be written back is no longer the one that was read (edited or gone):
        // writing its old top and bottom would undo what changed.
        PageChanged,
    };
    Error error = Error::None;
    QString reason;
};

// Writes the map of image and areaList to path as kind, the folder "images/" in front of
// the picture's name. OriginalPage writes it back into page, between its own top and
// bottom; page is not needed for the other kinds.
SavedMap saveMap(SaveKind kind, const QString& path, const ImageMarkup& image,
                 const QList<QByteArray>& areaList, const ChtmlPage* page = nullptr);

} // namespace tavlo
