#include "tavlofile/imageinfo.h"

#include "platform/pathops.h"

#include <QByteArray>
#include <QFile>

#include <cstring>
#include <limits>

namespace tavlo {

namespace {

// Bytes past the end read as 0: a header cut short still gives whatever it holds, and
// nothing outside the buffer is ever touched.
class Header {
public:
    explicit Header(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    qsizetype size() const { return m_bytes.size(); }
    std::uint32_t at(qsizetype i) const
    {
        return i < m_bytes.size() ? static_cast<std::uint8_t>(m_bytes[i]) : 0u;
    }
    std::uint32_t be16(qsizetype i) const { return at(i) << 8 | at(i + 1); }
    std::uint32_t le16(qsizetype i) const { return at(i) | at(i + 1) << 8; }
    std::uint32_t be32(qsizetype i) const { return be16(i) << 16 | be16(i + 2); }
    std::uint32_t le32(qsizetype i) const { return le16(i) | le16(i + 2) << 16; }

private:
    QByteArrayView m_bytes;
};

ImageInfo sized(ImageKind kind, std::uint32_t width, std::uint32_t height)
{
    return {kind, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

ImageInfo readPng(const Header& h)
{
    const std::uint32_t width = h.be32(16);
    const std::uint32_t height = h.be32(20);
    const std::uint32_t colourType = h.at(25);
    const bool knownColour =
        colourType == 0 || colourType == 2 || colourType == 3 || colourType == 4 || colourType == 6;
    // PNG allows only 31 bits; more would turn negative in the record.
    constexpr auto maxSide = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    if (!knownColour || width > maxSide || height > maxSide)
        return {};
    return sized(Png, width, height);
}

ImageInfo readGif(const Header& h)
{
    return sized(Gif, h.le16(6), h.le16(8));
}

ImageInfo readBmp(const Header& h)
{
    // The old OS/2 header (12 bytes) holds 16-bit sizes.
    if (h.le32(14) == 12)
        return sized(Bmp, h.le16(18), h.le16(20));
    // Signed 32-bit fields; a negative height means the rows are stored top-down.
    const auto width = static_cast<std::int32_t>(h.le32(18));
    const auto height = static_cast<std::int32_t>(h.le32(22));
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min())
        return {};
    return {Bmp, width, height < 0 ? -height : height};
}

// Position of the first FF D8 FF, or -1. Candidates are found with memchr so that a large
// file without a JPEG start is crossed at memory speed.
qsizetype findJpegStart(QByteArrayView bytes)
{
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* p = begin;
    while (end - p >= 3) {
        p = static_cast<const char*>(std::memchr(p, 0xFF, static_cast<std::size_t>(end - p - 2)));
        if (!p)
            return -1;
        if (static_cast<std::uint8_t>(p[1]) == 0xD8 && static_cast<std::uint8_t>(p[2]) == 0xFF)
            return p - begin;
        ++p;
    }
    return -1;
}

ImageInfo readJpeg(const Header& h, qsizetype start)
{
    qsizetype p = start + 2;
    while (p < h.size()) {
        const std::uint32_t marker = h.at(p);
        if (marker == 0xFF) {
            ++p;
            continue;
        }
        // Baseline, extended, progressive and lossless frames: length, precision, height, width.
        if (marker >= 0xC0 && marker <= 0xC3)
            return sized(Jpeg, h.be16(p + 6), h.be16(p + 4));
        const std::uint32_t length = h.be16(p + 1);
        // The length counts its own two bytes; less would not move the walk forward.
        if (length < 2)
            return {};
        p += length + 1;
    }
    return {};
}

} // namespace

ImageInfo readImageInfo(QByteArrayView bytes)
{
    const Header h(bytes);
    ImageInfo result;
    const auto take = [&result](const ImageInfo& found) {
        if (found.kind != UnknownKind)
            result = found;
    };

    if (h.at(0) == 0x89 && h.at(1) == 'P' && h.at(2) == 'N')
        take(readPng(h));
    if (h.at(0) == 'G' && h.at(1) == 'I' && h.at(2) == 'F')
        take(readGif(h));
    if (h.at(0) == 'B' && h.at(1) == 'M')
        take(readBmp(h));
    if (result.kind == UnknownKind) {
        if (const qsizetype start = findJpegStart(bytes); start >= 0)
            take(readJpeg(h, start));
    }
    return result;
}

ImageInfo readImageInfo(const QString& path)
{
    // A pipe or a device would block the open or never end.
    if (!isPlainFile(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (const qint64 size = file.size(); size > 0) {
        if (uchar* mapped = file.map(0, size)) {
            const ImageInfo info = readImageInfo(QByteArrayView(mapped, size));
            file.unmap(mapped);
            return info;
        }
    }
    // Files that report no size or cannot be mapped are read whole instead.
    const QByteArray bytes = file.readAll();
    return readImageInfo(QByteArrayView(bytes));
}

} // namespace tavlo
