#pragma once

#include "editor/mapenvironment.h"
#include "map/areatools.h"
#include "session/mapsession.h"

#include <QMainWindow>
#include <QMimeData>
#include <QString>

#include <memory>

namespace Ui {
class frmMap;
}

namespace tavlo {

class CanvasScroll;
class Mapee;

// The main window: shows the session's picture and map on the canvas, lays itself out
// around it, asks what the session's flows need and tells what they answer.
class frmMap : public QMainWindow, private ToolHost {
    Q_OBJECT

public:
    explicit frmMap(MapEnvironment environment = {}, QWidget* parent = nullptr);
    ~frmMap() override;

    MapSession& session() { return m_session; }
    MapDocument& document() { return m_session.document(); }
    const MapDocument& document() const { return m_session.document(); }
    Mapee* mapee() const;
    Prompts& prompts() const { return *m_env->prompts; }

    bool imageLoaded() const override { return m_session.imageLoaded(); }
    AreaTools& tools() { return m_tools; }
    const QString& imgPath() const { return m_session.imgPath(); }

    // The one road by which a picture enters the editor. All or nothing: a picture
    // that is refused leaves the window and the document exactly as they were.
    bool imgSpecs(const QString& sFile);
    // Opens a map, page or text file and rebuilds its map area by area. A file that
    // is refused leaves everything as it was.
    bool txtSpecs(const QString& fName, const QString& dExt);

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

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Form_QueryUnload: every road to closing comes here.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the mouse tools ask of the window.
    XorCanvas& canvas() override;
    void setPointer(Pointer pointer) override;
    void editArea(int i) override;
    void popupFileMenu() override;
    void drawAreaAway(qsizetype i);
    void pause(int ms) override;

    // Shows note; true when the user answered YES or Yes.
    bool tell(const Note& note) { return tavlo::tell(*m_env->prompts, note); }
    // Shows note if there is one; true when there was.
    bool told(const std::optional<Note>& note);
    void finishSave();
    bool keepWork();
    void openPath(const QString& path);
    void rebuildAreas(const QList<ReadArea>& areas);

    std::unique_ptr<Ui::frmMap> m_ui;
    CompleteEnvironment m_env;
    CanvasScroll* m_scroll;

    MapSession m_session;
    AreaTools m_tools{m_session.document(), *this};
    bool m_unloading = false;
};

} // namespace tavlo
