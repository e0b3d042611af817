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
    QImageReader reader(path);
    const QSize announced = reader.size();
    if (announced.isValid() && tooLarge(announced)) {
        file.error = PictureFile::Error::TooLarge;
        file.announced = announced;
        return file;
    }
    QImage picture = reader.read();
    if (picture.isNull() || fname.size() < 4) {
        file.error = PictureFile::Error::NotRecognised;
        return file;
    }
    if (tooLarge(picture.size())) {
        file.error = PictureFile::Error::DecodedTooLarge;
        return file;
    }

    ImageInfo info = readImageInfo(path);
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
    if (file.map.status == MapRead::Status::BadCoords) {
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
