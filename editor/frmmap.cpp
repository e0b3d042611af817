#include "editor/frmmap.h"

#include "app/frmdelete.h"
#include "editor/canvasscroll.h"
#include "editor/closinganimation.h"
#include "editor/filedrop.h"
#include "editor/mapee.h"
#include "editor/windowpictures.h"
#include "geometry/windowlayout.h"
#include "help/frmhelp.h"
#include "platform/association.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "platform/pause.h"
#include "platform/rounding.h"
#include "platform/screeninfo.h"
#include "session/areadialog.h"
#include "session/endwindow.h"
#include "session/filecheck.h"
#include "session/filedialogs.h"
#include "tavlofile/clipboarddata.h"
#include "tavlofile/filekinds.h"
#include "ui_frmmap.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>

// The pictures live in a static library, whose resources are not registered on
// their own; this must stand outside any namespace.
static void initTavloResources()
{
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

frmMap::frmMap(MapEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMap>())
    , m_env(environment, this)
{
    initTavloResources();
    m_ui->setupUi(this);
    m_scroll = new CanvasScroll(*m_ui->mapee, *m_ui->HScroll1, *m_ui->VScroll1);
    // The canvas scrolls beneath the strip and the bars.
    m_ui->mapee->lower();
    showWindowPictures(*m_ui, *this);
    new FileDrop(*this, [this](const QMimeData* data) { mapee_OLEDragDrop(data); });
    for (auto [button, shape] : {std::pair{m_ui->cmdSquare, AreaTools::Rectangle},
                                 {m_ui->cmdCircle, AreaTools::Circle},
                                 {m_ui->cmdPoly, AreaTools::Polygon}})
        connect(button, &QToolButton::clicked, this, [this, s = shape] { m_tools.shapeChosen(s); });
    // However the File menu opens, by the popup or from the menu bar, the save entries
    // say what can be saved now.
    connect(m_ui->mnuFile, &QMenu::aboutToShow, this, [this] {
        m_tools.menuShown();
        const bool areas = document().hasUnsavedWork();
        for (QAction* save : {m_ui->mnuFileSave1, m_ui->mnuFileSave2File0, m_ui->mnuFileSave2File1,
                              m_ui->mnuFileSave2File2})
            save->setEnabled(areas);
        m_ui->mnuFileSave2File3->setEnabled(m_session.pageOpen());
    });
    m_ui->mapee->drive(m_tools);
    connect(m_ui->mapee, &Mapee::dropped, this, &frmMap::mapee_OLEDragDrop);
    connect(m_ui->cmdMake, &QToolButton::clicked, this, &frmMap::cmdMake_Click);
    connect(m_ui->cmdClose, &QToolButton::clicked, this, &QWidget::close);
    for (auto [action, command] : {std::pair{m_ui->mnuFileOpen, &frmMap::mnuFileOpen_Click},
                                   {m_ui->mnuFileSave1, &frmMap::cmdMake_Click},
                                   {m_ui->mnuFileHelp, &frmMap::mnuFileHelp_Click},
                                   {m_ui->mnuFileDelete, &frmMap::mnuFileDelete_Click}})
        connect(action, &QAction::triggered, this, command);
    const QList<QAction*> saves{m_ui->mnuFileSave2File0, m_ui->mnuFileSave2File1,
                                m_ui->mnuFileSave2File2, m_ui->mnuFileSave2File3};
    for (int i = 0; i < saves.size(); ++i)
        connect(saves[i], &QAction::triggered, this, [this, i] { mnuFileSave2File_Click(i); });
    connect(m_ui->mnuFileClose, &QAction::triggered, this, &QWidget::close);
    // The window sees the keys before its controls do.
    qApp->installEventFilter(this);
    resize(twipsToPixels(design::clientWidth),
           twipsToPixels(design::clientHeight) + menuBar()->sizeHint().height());
}

frmMap::~frmMap() = default;

Mapee* frmMap::mapee() const
{
    return m_ui->mapee;
}

bool frmMap::told(const std::optional<Note>& note)
{
    if (note)
        tell(*note);
    return note.has_value();
}

bool frmMap::imgSpecs(const QString& sFile)
{
    PictureLoad load = m_session.loadPicture(sFile);
    if (told(load.refusal)) {
        m_tools.pictureRefused();
        return false;
    }
    m_ui->mapee->setPicture(load.picture);
    m_tools.pictureReplaced();
    fitWindow();
    Form_Resize();
    return true;
}

bool frmMap::txtSpecs(const QString& fName, const QString& dExt)
{
    MapReading reading = m_session.readMap(fName, dExt);
    if (told(reading.refusal))
        return false;
    QString img = reading.file.image;
    if (img.isEmpty()) {
        if (!tell({Message::ImagePathProblem, {}}))
            return false;
        img = m_env->fileDialogs->showFileDialog(FileDialogFor::FindPicture, imgPath());
        if (img.isEmpty())
            return false;
        tell({Message::DefaultImagePath, {}});
    }
    if (!imgSpecs(img))
        return false;
    const MapOpened opened = m_session.acceptMap(std::move(reading));
    m_ui->mnuFileSave2File3->setEnabled(m_session.pageOpen());
    if (!told(opened.noAreas))
        rebuildAreas(opened.areas);
    told(opened.areaNotes);
    return true;
}

void frmMap::rebuildAreas(const QList<ReadArea>& areas)
{
    // The map appears area by area; the pause lets the window paint but takes no
    // user input, so nothing reaches the document until the map is complete.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const ReadArea& read : areas) {
        // The dialog shows the texts of the tag, as its record carries them.
        document().addArea(read.area, read.area.links().value_or(AreaLinks{}));
        canvas().tint(document().region(document().size() - 1));
        canvas().drawOutline(read.area);
        m_env->pause->pause(AreaTools::drawPause);
    }
    QApplication::restoreOverrideCursor();
}

bool frmMap::keepWork()
{
    return document().hasUnsavedWork() && tell({Message::UnsavedWork, {}});
}

void frmMap::mnuFileOpen_Click()
{
    m_tools.dialogOpening();
    if (keepWork())
        return;
    showNormal();
    const QString path = m_env->fileDialogs->showFileDialog(FileDialogFor::OpenFile, imgPath());
    if (!path.isEmpty())
        openPath(path);
}

void frmMap::openPath(const QString& path)
{
    const QString key = extensionKey(path);
    if (editorKind(key) == FileKind::Text) {
        txtSpecs(path, key);
    } else if (imgSpecs(path)) {
        // Only once the picture is in do its old links go.
        document().clearLists();
    }
}

void frmMap::mapee_OLEDragDrop(const QMimeData* data)
{
    m_tools.fileDropped();
    showNormal();
    const QStringList files = localFiles(data);
    if (files.size() != 1) {
        tell({files.isEmpty() ? Message::DropUnknown : Message::DropSeveral, {}});
        return;
    }
    if (!checkFile(files.first(), *m_env->prompts) || keepWork())
        return;
    openPath(files.first());
    m_ui->mapee->setFocus();
}

void frmMap::cmdMake_Click()
{
    if (told(m_session.clipboardRefusal()))
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(clipboardData(m_session.savedMapBlock()).release());
    finishSave();
}

void frmMap::mnuFileSave2File_Click(int index)
{
    const auto kind = static_cast<SaveKind>(index);
    if (told(m_session.saveRefusal(kind)))
        return;
    const QString path = m_env->fileDialogs->showFileDialog(saveDialogFor(kind), imgPath());
    // Whatever fails, nothing is lost: the document, the page and the menu stay as they were.
    if (path.isEmpty() || told(m_session.saveTo(kind, path)))
        return;
    finishSave();
}

void frmMap::mnuFileHelp_Click()
{
    // Shown without an owner, at the main window's top left.
    frmHelp help(frameGeometry().topLeft());
    help.exec();
}

void frmMap::mnuFileDelete_Click()
{
    KeyStore store;
    frmDelete window(this, store, AssociationFolders::standard(), *m_env->prompts);
    window.exec();
}

void frmMap::toPreview()
{
    told(m_session.preview(*m_env->browser));
}

void frmMap::finishSave()
{
    m_session.mapSaved();
    m_ui->mnuFileSave2File3->setEnabled(false);
    if (!imgSpecs(imgPath())) {
        // The picture is gone from its file: the one on the canvas stays, drawn clean.
        m_tools.abandon();
        for (qsizetype i = 0; i < document().size(); ++i)
            drawAreaAway(i);
    }
    m_tools.commandRan();
    m_session.clearMap();
    switch (m_env->endWindow->run()) {
    case EndChoice::Quit:
        close();
        break;
    case EndChoice::Preview:
        toPreview();
        break;
    case EndChoice::Another:
        break;
    }
}

void frmMap::closeEvent(QCloseEvent* event)
{
    m_unloading = true;
    if (keepWork()) {
        event->ignore();
        m_unloading = false;
        return;
    }
    showNormal();
    collapseAndNarrow(*this, *m_env->pause);
    event->accept();
    // Closing the main window closes every other window of the program.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}

XorCanvas& frmMap::canvas()
{
    return m_ui->mapee->canvas();
}

void frmMap::setPointer(Pointer pointer)
{
    m_ui->mapee->setCursor(pointer == Pointer::UpArrow ? Qt::UpArrowCursor : Qt::CrossCursor);
}

void frmMap::pause(int ms)
{
    m_env->pause->pause(ms);
}

void frmMap::editArea(int i)
{
    QByteArray curHREF = document().hrefList().value(i);
    QByteArray curT = document().targetList().value(i);
    QByteArray curAlt = document().altList().value(i);
    const AreaAnswer answer = m_env->areaDialog->run(curHREF, curT, curAlt);
    switch (answer.choice) {
    case AreaAnswer::Choice::Delete:
        drawAreaAway(i);
        document().deleteArea(i);
        return;
    case AreaAnswer::Choice::Cancel:
        m_tools.areaDialogCancelled();
        break;
    case AreaAnswer::Choice::Enter:
        document().replaceTail(i, answer.tmpHREF, {curHREF, curT, curAlt});
        break;
    }
    m_ui->mapee->setFocus();
}

void frmMap::drawAreaAway(qsizetype i)
{
    // Drawn once more, the outline and the tint vanish from the picture.
    canvas().drawOutline(document().area(i));
    canvas().tint(document().region(i));
}

void frmMap::popupFileMenu()
{
    m_tools.menuPopping();
    m_ui->mnuFile->exec(QCursor::pos());
    m_env->pause->processEvents();
}

void frmMap::fitWindow()
{
    const WindowFit fit = tavlo::fitWindow(m_ui->mapee->outerSize(), m_env->screen->screenSize());
    if (fit.moveToOrigin)
        move(0, 0);
    resize(twipsToPixels(fit.widthTwips), twipsToPixels(fit.heightTwips));
}

void frmMap::Form_Resize()
{
    if (m_unloading)
        return;
    m_scroll->layOut(QSize(width(), height() - menuBar()->sizeHint().height()));
}

void frmMap::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool frmMap::Form_KeyDown(int key)
{
    // Only the key code counts, whatever Shift, Ctrl or Alt say.
    switch (key) {
    case Qt::Key_F1:
        m_tools.commandRan();
        mnuFileHelp_Click();
        return true;
    case Qt::Key_F2:
        m_tools.commandRan();
        mnuFileOpen_Click();
        return true;
    case Qt::Key_F5:
        if (imageLoaded() && tell({Message::ConfirmClipboard, {}})) {
            m_tools.commandRan();
            cmdMake_Click();
        }
        return true;
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
    case Qt::Key_F9:
        // The save commands decide for themselves, enabled in the menu or not.
        if (imageLoaded()) {
            m_tools.commandRan();
            mnuFileSave2File_Click(key - Qt::Key_F6);
        }
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

bool frmMap::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (Form_KeyDown(static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tavlo
