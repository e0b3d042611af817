#include "session/mapsession.h"

#include "platform/pathops.h"
#include "session/preview.h"

namespace tavlo {

namespace {

QString number(int n)
{
    return QString::number(n);
}

} // namespace

MapSession::MapSession()
    : m_imgPath(homeFolder())
    , m_previewFolder(std::make_unique<PreviewFolder>())
{}

MapSession::~MapSession() = default;

PictureLoad MapSession::loadPicture(const QString& sFile)
{
    // Every check comes before anything changes, so a refused picture costs nothing.
    PictureFile file = openPicture(sFile);
    const QSize size = file.announced;
    switch (file.error) {
    case PictureFile::Error::None:
        break;
    case PictureFile::Error::NotRecognised:
        return {Note{Message::FiletypeUnrecognised, {sFile}}, {}};
    case PictureFile::Error::CouldNotOpen:
        return {Note{Message::CouldNotOpen, {sFile}}, {}};
    case PictureFile::Error::TooLarge:
        return {
            Note{Message::PictureTooLarge, {number(size.width()), number(size.height()), sFile}},
            {}};
    case PictureFile::Error::DecodedTooLarge:
        return {Note{Message::PictureDecodedTooLarge, {sFile}}, {}};
    case PictureFile::Error::TooLargeToLoad:
        return {Note{Message::PictureTooLargeToLoad,
                     {number(size.width()), number(size.height()), sFile}},
                {}};
    }
    m_imageLoaded = true;
    m_doc.clearAreas();
    m_imgPath = sFile;
    m_image = file.image;
    return {std::nullopt, std::move(file.picture)};
}

MapReading MapSession::readMap(const QString& fName, const QString& dExt) const
{
    // Every check comes before anything changes: a refused file costs nothing.
    MapFile file = openMapFile(fName, dExt);
    std::optional<Note> refusal;
    switch (file.error) {
    case MapFile::Error::None:
        break;
    case MapFile::Error::CouldNotRead:
        refusal = Note{Message::MapUnreadable, {fName, file.reason}};
        break;
    case MapFile::Error::TagsMissing:
        refusal = Note{Message::MapTagsMissing, {file.reason}};
        break;
    case MapFile::Error::NoStartMarker:
        refusal = Note{Message::NoStartMarker, {fName}};
        break;
    case MapFile::Error::NoEndMarker:
    case MapFile::Error::EndMarkerAltered:
        refusal = Note{Message::EndMarkerAltered, {}};
        break;
    case MapFile::Error::BadCoords:
        refusal = Note{
            Message::BadCoords,
            {number(file.map.refused->area), fName, QString::fromUtf8(file.map.refused->value)}};
        break;
    }
    return {refusal, std::move(file)};
}

MapOpened MapSession::acceptMap(MapReading&& reading)
{
    MapFile& file = reading.file;
    m_doc.clearLists();
    m_htmlPage = std::make_unique<ChtmlPage>(std::move(file.page));
    m_pageOpen = file.pageKind;
    MapOpened opened;
    if (file.map.noCoords)
        opened.noAreas = Note{Message::NoMappedAreas, {}};
    else
        opened.areas = file.map.areas;
    // The user learns what a save would drop while the page is still intact.
    if (!file.map.notes.isEmpty())
        opened.areaNotes = Note{Message::AreaNotes, {notesText(file.map.notes)}};
    return opened;
}

QByteArray MapSession::savedMapBlock() const
{
    return mapBlock(savedImageFolder, m_image, m_doc.areaList());
}

std::optional<Note> MapSession::clipboardRefusal() const
{
    if (!m_imageLoaded)
        return Note{Message::NothingToSave, {}};
    if (!m_doc.hasUnsavedWork())
        return Note{Message::NoAreaToSave, {}};
    return std::nullopt;
}

std::optional<Note> MapSession::saveRefusal(SaveKind kind) const
{
    if (kind == SaveKind::OriginalPage && !m_htmlPage)
        return Note{Message::NoOpenedPage, {}};
    return std::nullopt;
}

std::optional<Note> MapSession::saveTo(SaveKind kind, const QString& path)
{
    switch (const SavedMap saved = saveMap(kind, path, m_image, m_doc.areaList(), m_htmlPage.get());
            saved.error) {
    case SavedMap::Error::None:
        break;
    case SavedMap::Error::WriteFailed:
        return Note{Message::SaveFailed, {path, saved.reason}};
    case SavedMap::Error::PageChanged:
        return Note{Message::PageChanged, {path}};
    }
    return std::nullopt;
}

void MapSession::mapSaved()
{
    m_pageOpen = false;
    m_htmlPage.reset();
    m_htmlOut = htmlPageText(previewMapBlock(m_imgPath, m_image, m_doc.areaList()));
}

void MapSession::clearMap()
{
    m_doc.clearAreas();
    m_doc.clearLists();
}

std::optional<Note> MapSession::preview(Browser& browser)
{
    switch (previewPage(m_htmlOut, *m_previewFolder, browser)) {
    case PreviewResult::Shown:
        break;
    case PreviewResult::NoBrowser:
        return Note{Message::NoBrowser, {}};
    case PreviewResult::StartFailed:
        return Note{Message::UrlFailed, {}};
    case PreviewResult::WriteFailed:
        return Note{Message::PreviewNotWritten, {}};
    }
    return std::nullopt;
}

} // namespace tavlo
