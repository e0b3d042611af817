#include "tavlofile/mapfile.h"

#include "platform/filewrite.h"
#include "platform/pathops.h"
#include "tavlofile/filekinds.h"
#include "tavlofile/imageinfo.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tavlo {

namespace {

bool tooLarge(QSize size)
{
    return size.width() > largestPicture || size.height() > largestPicture;
}

// 32767 x 32767 pixels of 4 bytes, in MiB, rounded up.
constexpr int largestPictureMiB =
    int((qint64(largestPicture) * largestPicture * 4 + (1 << 20) - 1) >> 20);

// A picture that needs this much and is not decoded most likely found no memory, or
// passed a decoder's own limit; a smaller one that is not decoded is damaged.
constexpr qint64 largePictureBytes = qint64(256) << 20;

bool largePicture(QSize size)
{
    return size.isValid() && qint64(size.width()) * size.height() * 4 >= largePictureBytes;
}

} // namespace

PictureFile openPicture(const QString& path)
{
    PictureFile file;
    const QString fname = fileTitle(path);
    if (editorKind(extensionKey(path)) != FileKind::Image) {
        file.error = PictureFile::Error::NotRecognised;
        return file;
    }
    if (!QFileInfo::exists(path) || (isPlainFile(path) && !fileExists(path))) {
        file.error = PictureFile::Error::CouldNotOpen;
        return file;
    }
    if (!isPlainFile(path)) {
        file.error = PictureFile::Error::NotRecognised;
        return file;
    }
    // The decoder's own limit (by default far below what the largest picture needs)
    // would refuse pictures the editor promises to map.
    QImageReader::setAllocationLimit(largestPictureMiB);
    QImageReader reader(path);
    ImageInfo info = readImageInfo(path);
    // The decoder gives no size for a GIF whose data it cannot follow; its header does.
    QSize announced = reader.size();
    if (!announced.isValid() && info.width > 0 && info.height > 0)
        announced = QSize(info.width, info.height);
    if (announced.isValid() && tooLarge(announced)) {
        file.error = PictureFile::Error::TooLarge;
        file.announced = announced;
        return file;
    }
    QImage picture = reader.read();
    if (picture.isNull() || fname.size() < 4) {
        file.error = fname.size() >= 4 && largePicture(announced)
                         ? PictureFile::Error::TooLargeToLoad
                         : PictureFile::Error::NotRecognised;
        file.announced = announced;
        return file;
    }
    if (tooLarge(picture.size())) {
        file.error = PictureFile::Error::DecodedTooLarge;
        return file;
    }
    // The canvas's one pixel format, made here so that a copy with no memory for it
    // refuses the picture before anything changes.
    const QSize size = picture.size();
    picture = picture.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) {
        file.error = PictureFile::Error::TooLargeToLoad;
        file.announced = size;
        return file;
    }

    // The tag must never say 0 x 0 for a picture that shows.
    if (info.width <= 0 || info.height <= 0) {
        info.width = picture.width();
        info.height = picture.height();
    }
    file.picture = std::move(picture);
    file.image = imageMarkup(QFile::encodeName(fname), info.width, info.height);
    return file;
}

MapFile openMapFile(const QString& path, QStringView key)
{
    MapFile file;
    FileBytes bytes = readWholeFile(path);
    if (!bytes.error.isEmpty()) {
        file.error = MapFile::Error::CouldNotRead;
        file.reason = bytes.error;
        return file;
    }
    const QByteArray text = std::move(bytes.bytes);

    file.reason = checkMapTags(text);
    if (!file.reason.isEmpty()) {
        file.error = MapFile::Error::TagsMissing;
        return file;
    }
    switch (file.page.parsePage(text, path)) {
    case ChtmlPage::Split::Done:
        break;
    case ChtmlPage::Split::NoStartMarker:
        file.error = MapFile::Error::NoStartMarker;
        return file;
    case ChtmlPage::Split::NoEndMarker:
        file.error = MapFile::Error::NoEndMarker;
        return file;
    case ChtmlPage::Split::EndMarkerAltered:
        file.error = MapFile::Error::EndMarkerAltered;
        return file;
    }
    file.map = parseMap(file.page.htmlMap());
    if (file.map.refused) {
        file.error = MapFile::Error::BadCoords;
        return file;
    }
    file.image = file.page.resolveImage();
    file.pageKind = key == u"html" || key == u".htm" || key == u".asp";
    return file;
}

namespace {

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    if (first.absoluteFilePath() == second.absoluteFilePath())
        return true;
    return first.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// True when the page at path still holds the bytes it was opened with.
bool pageUnchanged(const QString& path, const ChtmlPage& page)
{
    const FileBytes now = readWholeFile(path);
    return now.error.isEmpty() && now.bytes == page.htmlTop() + page.htmlMap() + page.htmlBot();
}

} // namespace

SavedMap saveMap(SaveKind kind, const QString& path, const ImageMarkup& image,
                 const QList<QByteArray>& areaList, const ChtmlPage* page)
{
    if (kind == SaveKind::OriginalPage && page && samePath(path, page->pageFile()) &&
        !pageUnchanged(path, *page))
        return {SavedMap::Error::PageChanged, {}};
    const QByteArray block = mapBlock(savedImageFolder, image, areaList);
    const QByteArray text =
        page ? fileText(kind, block, page->htmlTop(), page->htmlBot()) : fileText(kind, block);
    if (const WriteResult written = writeFileAtomically(path, text); !written.ok())
        return {SavedMap::Error::WriteFailed, written.error};
    return {};
}

} // namespace tavlo
