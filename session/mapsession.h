#pragma once

#include "map/mapdocument.h"
#include "session/messages.h"
#include "tavlofile/mapfile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

namespace tavlo {

class Browser;
class PreviewFolder;

// A picture brought in by imgSpecs, or the note that refuses it.
struct [[nodiscard]] PictureLoad {
    std::optional<Note> refusal;
    QImage picture;
};

// A map file or page read by txtSpecs, waiting for its picture: file.image is "" when
// the map's own cannot be found and the user is to be asked for one.
struct [[nodiscard]] MapReading {
    std::optional<Note> refusal;
    MapFile file;
};

// What an accepted map leaves to be shown: its areas to be drawn one by one, or the
// note that there are none; then the note on what a save would drop.
struct [[nodiscard]] MapOpened {
    QList<ReadArea> areas;
    std::optional<Note> noAreas;
    std::optional<Note> areaNotes;
};

// What the main window holds besides its widgets: the map document, the picture's path
// and tags, the page a map was read from, the preview page. Its flows change the session
// and return what the user is to be told; they ask nobody.
class MapSession {
public:
    MapSession();
    ~MapSession();

    MapDocument& document() { return m_doc; }
    const MapDocument& document() const { return m_doc; }
    const QString& imgPath() const { return m_imgPath; }
    const ImageMarkup& imageTags() const { return m_image; }
    const QByteArray& htmlOut() const { return m_htmlOut; }
    // True once a picture file is in; the splash does not count.
    bool imageLoaded() const { return m_imageLoaded; }
    // An opened page may be written back ("Save in Original Page").
    bool pageOpen() const { return m_pageOpen; }

    // All or nothing: a refused picture leaves the session as it was. Accepted, the
    // areas go and the picture's path and tags are the new ones.
    PictureLoad loadPicture(const QString& sFile);

    // Reads fName; nothing changes yet.
    MapReading readMap(const QString& fName, const QString& dExt) const;
    // Once the reading's picture is in: the old links go and the page is held.
    MapOpened acceptMap(MapReading&& reading);

    // The map block as every saved file carries it.
    QByteArray savedMapBlock() const;
    // Why the clipboard cannot take the map now, if it cannot.
    [[nodiscard]] std::optional<Note> clipboardRefusal() const;
    // Why the save of kind cannot ask for a file, if it cannot.
    [[nodiscard]] std::optional<Note> saveRefusal(SaveKind kind) const;
    // Writes the map to path as kind; whatever fails, the session stays as it was.
    [[nodiscard]] std::optional<Note> saveTo(SaveKind kind, const QString& path);
    // A save is done: the page is forgotten and the preview page built from the map.
    void mapSaved();
    // Empties the document, areas and links alike.
    void clearMap();

    // Shows htmlOut in the browser.
    [[nodiscard]] std::optional<Note> preview(Browser& browser);

private:
    MapDocument m_doc;
    ImageMarkup m_image;
    QByteArray m_htmlOut;
    QString m_imgPath;
    bool m_imageLoaded = false;
    bool m_pageOpen = false;
    std::unique_ptr<ChtmlPage> m_htmlPage; // the opened page, held until the next save
    std::unique_ptr<PreviewFolder> m_previewFolder;
};

} // namespace tavlo
