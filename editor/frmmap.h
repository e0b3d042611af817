#pragma once

#include "map/areatools.h"
#include "map/mapdocument.h"
#include "tavlofile/markupwriter.h"

#include <QMainWindow>
#include <QMimeData>
#include <QString>

#include <memory>

namespace Ui {
class frmMap;
}

namespace tavlo {

class AreaDialog;
class Browser;
class ChtmlPage;
class EndWindow;
class FileDialogs;
class Mapee;
class PreviewFolder;
struct ReadArea;
class Pause;
class Prompts;
class ScreenInfo;

// What the main window asks the world for. Any member left null gets the program's
// own: message windows, the area dialog, the event-loop pause, the screen the
// window is on.
struct MapEnvironment {
    Prompts* prompts = nullptr;
    AreaDialog* areaDialog = nullptr;
    Pause* pause = nullptr;
    ScreenInfo* screen = nullptr;
    FileDialogs* fileDialogs = nullptr;
    EndWindow* endWindow = nullptr;
    Browser* browser = nullptr;
};

// The main window: owns the map document, shows the picture on the canvas, lays
// itself out around it and runs the commands of its buttons and menu.
class frmMap : public QMainWindow, private ToolHost {
    Q_OBJECT

public:
    explicit frmMap(MapEnvironment environment = {}, QWidget* parent = nullptr);
    ~frmMap() override;

    MapDocument& document() { return m_doc; }
    const MapDocument& document() const { return m_doc; }
    Mapee* mapee() const;
    Prompts& prompts() const { return *m_prompts; }

    bool imageLoaded() const override { return m_imageLoaded; }
    AreaTools& tools() { return m_tools; }
    const QString& imgPath() const { return m_imgPath; }
    const ImageMarkup& imageTags() const { return m_image; }
    const QByteArray& htmlOut() const { return m_htmlOut; }
    const QByteArray& curHREF() const { return m_curHREF; }

    // The one road by which a picture enters the editor. All or nothing: a picture
    // that is refused leaves the window and the document exactly as they were.
    bool imgSpecs(const QString& sFile);
    // Opens a map, page or text file and rebuilds its map area by area. A file that
    // is refused leaves everything as it was.
    bool txtSpecs(const QString& fName, const QString& dExt);

    bool pageOpen() const { return m_pageOpen; }
    const ChtmlPage* htmlPage() const { return m_htmlPage.get(); }

    // The commands of the File menu and the buttons.
    void mnuFileOpen_Click();
    void mapee_OLEDragDrop(const QMimeData* data);
    void cmdMake_Click();
    void mnuFileSave2File_Click(int index);
    void toPreview();
    void mnuFileHelp_Click();
    void mnuFileDelete_Click();
    // The function keys and Esc, seen before any control of the window. True when
    // the key ran a command.
    bool Form_KeyDown(int key);
    void fitWindow();
    void Form_Resize();

    // The map block as every saved file carries it.
    QByteArray savedMapBlock() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Form_QueryUnload: every road to closing comes here.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the mouse tools ask of the window.
    XorCanvas& canvas() override;
    void setPointer(Pointer pointer) override;
    void editArea(int i) override;
    void popupFileMenu() override;
    void pause(int ms) override;

    void HScroll1_Change(int value);
    void VScroll1_Change(int value);
    void finishSave();
    void forgetPage();
    bool keepWork();
    void collapseAndNarrow();
    void openPath(const QString& path, bool emptyListsAfterImage);
    void rebuildAreas(const QList<ReadArea>& areas);
    void refuseImage(const QString& sFile, const QString& reason);

    std::unique_ptr<Ui::frmMap> m_ui;
    std::unique_ptr<Prompts> m_ownPrompts;
    std::unique_ptr<Pause> m_ownPause;
    std::unique_ptr<ScreenInfo> m_ownScreen;
    std::unique_ptr<AreaDialog> m_ownAreaDialog;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    std::unique_ptr<EndWindow> m_ownEndWindow;
    std::unique_ptr<Browser> m_ownBrowser;
    std::unique_ptr<PreviewFolder> m_previewFolder;
    Prompts* m_prompts;
    AreaDialog* m_areaDialog;
    Pause* m_pause;
    ScreenInfo* m_screen;
    FileDialogs* m_fileDialogs;
    EndWindow* m_endWindow;
    Browser* m_browser;
    std::unique_ptr<ChtmlPage> m_htmlPage; // the opened page, held until the next save

    MapDocument m_doc;
    AreaTools m_tools{m_doc, *this};
    ImageMarkup m_image;
    QByteArray m_htmlOut;
    QString m_imgPath;
    // The area being edited, handed to and from the area dialog.
    QByteArray m_curHREF;
    QByteArray m_curT;
    QByteArray m_curAlt;
    bool m_imageLoaded = false;
    bool m_unloading = false;
    // An opened page may be written back ("Save in Original Page").
    bool m_pageOpen = false;
};

} // namespace tavlo
