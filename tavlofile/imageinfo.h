#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace tavlo {

enum ImageKind : std::uint8_t { Png = 1, Gif = 2, Jpeg = 3, Bmp = 4, UnknownKind = 255 };

struct ImageInfo {
    std::uint8_t kind = UnknownKind;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Width and height of a picture from its header, without decoding it. Never fails:
// an unreadable or unknown file gives UnknownKind with the size found so far. A file is
// read only where its header lies: the first 64 KiB, in which a JPEG must start, and
// the markers of its segments up to the frame.
ImageInfo readImageInfo(const QString& path);
ImageInfo readImageInfo(QByteArrayView bytes);

} // namespace tavlo
