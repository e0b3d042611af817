#pragma once

#include "editor/areatools.h"
#include "editor/mapdocument.h"
#include "markup/markupwriter.h"

#include <QMainWindow>
#include <QString>

#include <memory>

namespace Ui {
class frmMap;
}

namespace tavlo {

class AreaDialog;
class Mapee;
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
    // Opens a map, page or text file.
    void txtSpecs(const QString& fName, const QString& dExt);

    void cmdMake_Click();
    void fitWindow();
    void Form_Resize();

    // The map block as every saved file carries it.
    QByteArray savedMapBlock() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
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
    void refuseImage(const QString& sFile, const QString& reason);

    std::unique_ptr<Ui::frmMap> m_ui;
    std::unique_ptr<Prompts> m_ownPrompts;
    std::unique_ptr<Pause> m_ownPause;
    std::unique_ptr<ScreenInfo> m_ownScreen;
    std::unique_ptr<AreaDialog> m_ownAreaDialog;
    Prompts* m_prompts;
    AreaDialog* m_areaDialog;
    Pause* m_pause;
    ScreenInfo* m_screen;

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
