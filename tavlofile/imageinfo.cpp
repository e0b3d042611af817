#include "tavlofile/imageinfo.h"

#include "platform/pathops.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace tavlo {

namespace {

// The JPEG start is looked for this far into a file: a picture starts at once, or after a
// short header of another program (MacBinary's is 128 bytes).
constexpr qsizetype startSearchLength = 64 * 1024;

// Bytes past the end read as 0: a header cut short still gives whatever it holds, and
// nothing outside the buffer is ever touched. Bytes of a file beyond its head are read
// a block at a time when asked for, so a JPEG's segments are stepped over, never read.
class Header {
public:
    explicit Header(QByteArrayView bytes)
        : m_bytes(bytes)
        , m_size(bytes.size())
    {}
    Header(QByteArrayView head, QFile& file)
        : m_bytes(head)
        , m_size(std::max<qint64>(file.size(), head.size()))
        , m_file(&file)
    {}

    qsizetype size() const { return m_size; }
    std::uint32_t at(qsizetype i) const
    {
        if (i < m_bytes.size())
            return static_cast<std::uint8_t>(m_bytes[i]);
        if (!m_file || i >= m_size)
            return 0;
        if (i < m_blockStart || i >= m_blockStart + m_block.size()) {
            m_blockStart = i - i % blockSize;
            m_block.clear();
            if (m_file->seek(m_blockStart))
                m_block = m_file->read(blockSize);
            if (i >= m_blockStart + m_block.size())
                return 0;
        }
        return static_cast<std::uint8_t>(m_block[i - m_blockStart]);
    }
    std::uint32_t be16(qsizetype i) const { return at(i) << 8 | at(i + 1); }
    std::uint32_t le16(qsizetype i) const { return at(i) | at(i + 1) << 8; }
    std::uint32_t be32(qsizetype i) const { return be16(i) << 16 | be16(i + 2); }
    std::uint32_t le32(qsizetype i) const { return le16(i) | le16(i + 2) << 16; }

private:
    static constexpr qint64 blockSize = 4096;
    QByteArrayView m_bytes;
    qsizetype m_size;
    QFile* m_file = nullptr;
    mutable QByteArray m_block;
    mutable qsizetype m_blockStart = 0;
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

// Position of the first FF D8 FF, or -1.
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

ImageInfo readHeader(const Header& h, QByteArrayView head)
{
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
        const QByteArrayView searched = head.first(std::min(head.size(), startSearchLength));
        if (const qsizetype start = findJpegStart(searched); start >= 0)
            take(readJpeg(h, start));
    }
    return result;
}

} // namespace

ImageInfo readImageInfo(QByteArrayView bytes)
{
    return readHeader(Header(bytes), bytes);
}

ImageInfo readImageInfo(const QString& path)
{
    // A pipe or a device would block the open or never end.
    if (!isPlainFile(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(startSearchLength);
    return readHeader(Header(head, file), head);
}

} // namespace tavlo
