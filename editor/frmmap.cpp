#include "editor/frmmap.h"

#include "app/frmdelete.h"
#include "app/qtscreen.h"
#include "app/widgetendwindow.h"
#include "app/widgetfiledialogs.h"
#include "app/widgetprompts.h"
#include "editor/mapee.h"
#include "editor/widgetareadialog.h"
#include "geometry/windowlayout.h"
#include "help/frmhelp.h"
#include "platform/association.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "platform/pause.h"
#include "platform/rounding.h"
#include "session/areadialog.h"
#include "session/endwindow.h"
#include "session/filecheck.h"
#include "session/filedialogs.h"
#include "session/preview.h"
#include "tavlofile/clipboarddata.h"
#include "tavlofile/filekinds.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapfile.h"
#include "ui_frmmap.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

// The pictures live in a static library, whose resources are not registered on
// their own; this must stand outside any namespace.
static void initTavloResources()
{
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

namespace {

const QString newline = QStringLiteral("\r\n");

template <typename T, typename Make> T* givenOr(T* given, std::unique_ptr<T>& own, Make make)
{
    if (!given) {
        own = make();
        given = own.get();
    }
    return given;
}

} // namespace

frmMap::frmMap(MapEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMap>())
    , m_prompts(environment.prompts)
    , m_areaDialog(environment.areaDialog)
    , m_pause(environment.pause)
    , m_screen(environment.screen)
    , m_fileDialogs(environment.fileDialogs)
    , m_endWindow(environment.endWindow)
    , m_browser(environment.browser)
    , m_imgPath(homeFolder())
{
    initTavloResources();
    m_ui->setupUi(this);
    // Whatever the caller did not pass, the window makes for itself.
    m_prompts =
        givenOr(m_prompts, m_ownPrompts, [this] { return std::make_unique<WidgetPrompts>(this); });
    m_pause = givenOr(m_pause, m_ownPause, [] { return std::make_unique<EventLoopPause>(); });
    m_screen = givenOr(m_screen, m_ownScreen, [this] { return std::make_unique<QtScreen>(this); });
    m_areaDialog = givenOr(m_areaDialog, m_ownAreaDialog,
                           [this] { return std::make_unique<WidgetAreaDialog>(this, *m_screen); });
    m_fileDialogs = givenOr(m_fileDialogs, m_ownFileDialogs, [this] {
        return std::make_unique<WidgetFileDialogs>(this, *m_prompts);
    });
    m_endWindow = givenOr(m_endWindow, m_ownEndWindow,
                          [this] { return std::make_unique<WidgetEndWindow>(this, *m_pause); });
    m_browser = givenOr(m_browser, m_ownBrowser, [] { return std::make_unique<XdgBrowser>(); });
    m_previewFolder = std::make_unique<PreviewFolder>();

    // The canvas scrolls beneath the strip and the bars.
    m_ui->mapee->lower();
    m_ui->mapee->setPicture(QImage(QStringLiteral(":/images/splash.png")));
    setAcceptDrops(true);

    connect(m_ui->cmdSquare, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Rectangle; });
    connect(m_ui->cmdCircle, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Circle; });
    connect(m_ui->cmdPoly, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Polygon; });
    // However the File menu opens, by the popup or from the menu bar, the save entries
    // say what can be saved now.
    connect(m_ui->mnuFile, &QMenu::aboutToShow, this, [this] {
        m_tools.skipMouse = false;
        const bool areas = !m_doc.areaList().isEmpty();
        for (QAction* save : {m_ui->mnuFileSave1, m_ui->mnuFileSave2File0, m_ui->mnuFileSave2File1,
                              m_ui->mnuFileSave2File2})
            save->setEnabled(areas);
        m_ui->mnuFileSave2File3->setEnabled(m_pageOpen);
    });
    Mapee* canvas = m_ui->mapee;
    connect(canvas, &Mapee::pressed, this,
            [this](Qt::MouseButton b, QPointF p) { m_tools.press(b, p); });
    connect(canvas, &Mapee::moved, this,
            [this](Qt::MouseButtons b, QPointF p) { m_tools.move(b, p); });
    connect(canvas, &Mapee::released, this,
            [this](Qt::MouseButton b, QPointF p) { m_tools.release(b, p); });
    connect(m_ui->cmdMake, &QToolButton::clicked, this, &frmMap::cmdMake_Click);
    connect(m_ui->cmdClose, &QToolButton::clicked, this, &QWidget::close);
    connect(m_ui->mnuFileOpen, &QAction::triggered, this, &frmMap::mnuFileOpen_Click);
    connect(m_ui->mnuFileSave1, &QAction::triggered, this, &frmMap::cmdMake_Click);
    const QList<QAction*> saves{m_ui->mnuFileSave2File0, m_ui->mnuFileSave2File1,
                                m_ui->mnuFileSave2File2, m_ui->mnuFileSave2File3};
    for (int i = 0; i < saves.size(); ++i)
        connect(saves[i], &QAction::triggered, this, [this, i] { mnuFileSave2File_Click(i); });
    connect(m_ui->mnuFileClose, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuFileHelp, &QAction::triggered, this, &frmMap::mnuFileHelp_Click);
    connect(m_ui->mnuFileDelete, &QAction::triggered, this, &frmMap::mnuFileDelete_Click);
    // The window sees the keys before its controls do.
    qApp->installEventFilter(this);

    connect(m_ui->HScroll1, &QScrollBar::valueChanged, this, &frmMap::HScroll1_Change);
    connect(m_ui->VScroll1, &QScrollBar::valueChanged, this, &frmMap::VScroll1_Change);
    connect(m_ui->mapee, &Mapee::dragOver, this, [this] { m_tools.skipDrop = true; });
    connect(m_ui->mapee, &Mapee::dropped, this, &frmMap::mapee_OLEDragDrop);

    resize(twipsToPixels(design::clientWidth),
           twipsToPixels(design::clientHeight) + menuBar()->sizeHint().height());
}

frmMap::~frmMap() = default;

Mapee* frmMap::mapee() const
{
    return m_ui->mapee;
}

void frmMap::refuseImage(const QString& sFile, const QString& reason)
{
    m_prompts->showMsg(QStringLiteral("We have a problem..."), reason + newline + newline + sFile,
                       fileKindHint);
    m_tools.skipDrop = false;
}

bool frmMap::imgSpecs(const QString& sFile)
{
    // Every check comes before anything changes, so a refused picture costs nothing.
    PictureFile file = openPicture(sFile);
    switch (file.error) {
    case PictureFile::Error::None:
        break;
    case PictureFile::Error::NotRecognised:
        refuseImage(sFile, newline + QStringLiteral("Tavlo does not recognize the filetype in:"));
        return false;
    case PictureFile::Error::CouldNotOpen:
        refuseImage(sFile, newline + QStringLiteral("Tavlo could not open:"));
        return false;
    case PictureFile::Error::TooLarge:
        m_prompts->showMsg(
            QStringLiteral("We have a problem..."),
            newline + QStringLiteral("Tavlo maps pictures of up to 32767 by 32767 pixels;") +
                newline +
                QStringLiteral("this one is %1 by %2:")
                    .arg(file.announced.width())
                    .arg(file.announced.height()) +
                newline + newline + sFile,
            QStringLiteral("Please choose a smaller picture."));
        m_tools.skipDrop = false;
        return false;
    case PictureFile::Error::DecodedTooLarge:
        refuseImage(
            sFile, newline + QStringLiteral("Tavlo maps pictures of up to 32767 by 32767 pixels:"));
        return false;
    case PictureFile::Error::TooLargeToLoad:
        m_prompts->showMsg(
            QStringLiteral("We have a problem..."),
            newline +
                QStringLiteral("This picture of %1 by %2 pixels is too large to load:")
                    .arg(file.announced.width())
                    .arg(file.announced.height()) +
                newline + newline + sFile,
            QStringLiteral("Please choose a smaller picture."));
        m_tools.skipDrop = false;
        return false;
    }

    m_ui->mapee->setPicture(file.picture);
    m_tools.pictureReplaced();
    m_imageLoaded = true;
    m_doc.clearAreas();
    m_imgPath = sFile;
    m_image = file.image;
    fitWindow();
    Form_Resize();
    return true;
}

bool frmMap::txtSpecs(const QString& fName, const QString& dExt)
{
    const QString problem = QStringLiteral("We have a problem...");
    const QString note = QStringLiteral("Tavlo Note:");
    // Every check comes before anything changes: a refused file costs nothing.
    MapFile file = openMapFile(fName, dExt);
    switch (file.error) {
    case MapFile::Error::None:
        break;
    case MapFile::Error::CouldNotRead:
        m_prompts->showMsg(
            problem, newline + QStringLiteral("Tavlo could not open:") + newline + newline + fName,
            file.reason);
        return false;
    case MapFile::Error::TagsMissing:
        m_prompts->showMsg(
            problem,
            QStringLiteral("The file requested either:") + newline + newline +
                QStringLiteral("1.) Contains no TAVL file, or") + newline +
                QStringLiteral("2.) the file has been corrupted in the following manner -- ") +
                newline + newline + file.reason,
            QStringLiteral("  To edit an TAVL file -- all the tags,") + newline +
                QStringLiteral(" as well as comments, must be left intact."));
        return false;
    case MapFile::Error::NoStartMarker:
        m_prompts->messageBox(note,
                              QStringLiteral("There is no Tavlo File in ") + newline + fName +
                                  newline + newline +
                                  QStringLiteral("    ...or it has been corrupted."),
                              MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    case MapFile::Error::NoEndMarker:
    case MapFile::Error::EndMarkerAltered:
        m_prompts->messageBox(note,
                              QStringLiteral("TAVL has been altered,") + newline +
                                  QStringLiteral("and cannot be edited in its present state."),
                              MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    case MapFile::Error::BadCoords:
        m_prompts->showMsg(problem,
                           newline +
                               QStringLiteral("The COORDS of area %1 in").arg(file.map.badArea) +
                               newline + newline + fName + newline + newline +
                               QStringLiteral("are not whole numbers Tavlo can use:") + newline +
                               QString::fromUtf8(file.map.badValue),
                           QStringLiteral("Please correct the map, then open it again."));
        return false;
    }
    const MapRead& map = file.map;

    QString img = file.image;
    if (img.isEmpty()) {
        if (!m_prompts->askAlert(QStringLiteral("Image path problem..."),
                                 QStringLiteral("The path to the image contained in") + newline +
                                     QStringLiteral("the map file is incorrect for your machine."),
                                 QStringLiteral("Would you like the opportunity to") + newline +
                                     QStringLiteral("locate that image now, via an open dialog?")))
            return false;
        img = m_fileDialogs->showFileDialog(true, 1, m_imgPath);
        if (img.isEmpty())
            return false;
        m_prompts->showMsg(QStringLiteral("Keep in mind..."),
                           newline + newline +
                               QStringLiteral("Tavlo will prepend the default path of ") + newline +
                               QStringLiteral("\"images/\" to the following image."),
                           QStringLiteral("Be sure to edit this later, if necessary."));
    }
    if (!imgSpecs(img))
        return false;

    // Accepted: only now do the old links go.
    m_doc.clearLists();
    m_htmlPage = std::make_unique<ChtmlPage>(std::move(file.page));
    m_pageOpen = file.pageKind;
    m_ui->mnuFileSave2File3->setEnabled(m_pageOpen);
    if (map.status == MapRead::Status::NoCoords) {
        m_prompts->messageBox(note,
                              QStringLiteral("There appears to be no mapped areas,") + newline +
                                  QStringLiteral("or the coordinates have been corrupted."),
                              MsgIcon::Exclamation, MsgButtons::Ok);
    } else {
        rebuildAreas(map.areas);
    }
    // The user learns what a save would drop while the page is still intact.
    if (!map.notes.isEmpty())
        m_prompts->messageBox(note, notesText(map.notes), MsgIcon::Exclamation, MsgButtons::Ok);
    return true;
}

void frmMap::rebuildAreas(const QList<ReadArea>& areas)
{
    // The map appears area by area; the pause lets the window paint but takes no
    // user input, so nothing reaches the document until the map is complete.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const ReadArea& read : areas) {
        // The dialog shows the texts of the tag, as its record carries them.
        m_doc.addArea(read.area, read.area.links().value_or(AreaLinks{}));
        canvas().tint(m_doc.region(m_doc.size() - 1));
        canvas().drawOutline(read.area);
        m_pause->pause(AreaTools::drawPause);
    }
    QApplication::restoreOverrideCursor();
}

bool frmMap::keepWork()
{
    return m_prompts->askAlert(QStringLiteral("Your last chance..."),
                               QStringLiteral("The present MAP is as yet unsaved."),
                               QStringLiteral("Would you like the opportunity to") + newline +
                                   QStringLiteral("save your current work?"));
}

void frmMap::mnuFileOpen_Click()
{
    // The release of the click that closes the dialog must not draw.
    m_tools.skipDrop = true;
    if (m_doc.hasUnsavedWork() && keepWork())
        return;
    showNormal();
    const QString path = m_fileDialogs->showFileDialog(true, 0, m_imgPath);
    if (path.isEmpty())
        return;
    openPath(path, true);
}

void frmMap::openPath(const QString& path, bool emptyListsAfterImage)
{
    const QString key = extensionKey(path);
    if (editorKind(key) == FileKind::Text) {
        txtSpecs(path, key);
    } else if (imgSpecs(path) && emptyListsAfterImage) {
        // Only once the picture is in do its old links go.
        m_doc.clearLists();
    }
}

void frmMap::mapee_OLEDragDrop(const QMimeData* data)
{
    m_tools.skipDrop = false;
    showNormal();
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    if (files.isEmpty()) {
        m_prompts->messageBox(QStringLiteral("Tavlo Note:"), QStringLiteral("Unknown filetype."),
                              MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (files.size() > 1) {
        m_prompts->showMsgSm(QStringLiteral("We have a problem..."),
                             QStringLiteral("Please enter only one file to map at time."));
        return;
    }
    const QString path = files.first();
    if (!checkFile(path, *m_prompts))
        return;
    if (m_doc.hasUnsavedWork() && keepWork())
        return;
    openPath(path, true);
    m_ui->mapee->setFocus();
}

void frmMap::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void frmMap::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    mapee_OLEDragDrop(event->mimeData());
}

QByteArray frmMap::savedMapBlock() const
{
    return mapBlock(savedImageFolder, m_image, m_doc.areaList());
}

void frmMap::cmdMake_Click()
{
    const QString title = QStringLiteral("Tavlo Note");
    if (!m_imageLoaded) {
        m_prompts->messageBox(title, QStringLiteral("You have to map something to save, first."),
                              MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    if (m_doc.areaList().isEmpty()) {
        m_prompts->messageBox(
            title,
            QStringLiteral("You have to map an area before you can save to the ClipBoard.") +
                newline + newline +
                QStringLiteral(">>> If you have the image you want loaded, simply choose a shape") +
                newline + QStringLiteral("        from the buttons above and begin to draw.") +
                newline + newline +
                QStringLiteral(">>> If not, drag an image file onto the Tavlo screen to begin."),
            MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(clipboardData(savedMapBlock()).release());
    forgetPage();
    finishSave();
}

void frmMap::mnuFileSave2File_Click(int index)
{
    const auto kind = static_cast<SaveKind>(index);
    if (kind == SaveKind::OriginalPage && !m_htmlPage) {
        m_prompts->messageBox(
            QStringLiteral("Tavlo Note"),
            QStringLiteral("There is no opened page to save this map into.") + newline + newline +
                QStringLiteral("Open a page that holds a Tavlo map first; its map can then be "
                               "written back with \"Save in Original Page\"."),
            MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    const QString path = m_fileDialogs->showFileDialog(false, index, m_imgPath);
    if (path.isEmpty())
        return;
    // Whatever fails, nothing is lost: the document, the page and the menu stay as they were.
    switch (const SavedMap saved = saveMap(kind, path, m_image, m_doc.areaList(), m_htmlPage.get());
            saved.error) {
    case SavedMap::Error::None:
        break;
    case SavedMap::Error::WriteFailed:
        m_prompts->showMsg(QStringLiteral("We have a problem..."),
                           newline + QStringLiteral("Tavlo could not save the map to:") + newline +
                               newline + path,
                           saved.reason);
        return;
    case SavedMap::Error::PageChanged:
        m_prompts->showMsg(QStringLiteral("We have a problem..."),
                           newline + QStringLiteral("The page has changed since Tavlo opened it:") +
                               newline + newline + path,
                           QStringLiteral("To keep both, save the map with \"Save As HTML\",") +
                               newline + QStringLiteral("or open the page again."));
        return;
    }
    forgetPage();
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
    frmDelete window(this, store, AssociationFolders::standard(), *m_prompts);
    window.exec();
}

void frmMap::forgetPage()
{
    m_pageOpen = false;
    m_ui->mnuFileSave2File3->setEnabled(false);
    m_htmlPage.reset();
}

void frmMap::toPreview()
{
    const QString pageNotOpened =
        newline + newline + newline + QStringLiteral("Web Page not Opened");
    switch (previewPage(m_htmlOut, *m_previewFolder, *m_browser)) {
    case PreviewResult::Shown:
        break;
    case PreviewResult::NoBrowser:
        m_prompts->showMsg(
            QStringLiteral("Browser not found..."),
            newline + newline + QStringLiteral("Tavlo Could not find associated Browser."),
            QStringLiteral("Are you running something old, or should you contact Tavlo suppport?"));
        break;
    case PreviewResult::StartFailed:
        m_prompts->showMsg(QStringLiteral("URL failed..."), pageNotOpened, QString());
        break;
    case PreviewResult::WriteFailed:
        m_prompts->showMsg(QStringLiteral("Browser initialization failed."), pageNotOpened,
                           QStringLiteral("If problem persists, please contact Tavlo support."));
        break;
    }
}

void frmMap::finishSave()
{
    m_htmlOut = htmlPageText(previewMapBlock(m_imgPath, m_image, m_doc.areaList()));
    if (!imgSpecs(m_imgPath)) {
        // The picture is gone from its file: the one on the canvas stays, drawn clean.
        m_tools.abandon();
        for (qsizetype i = 0; i < m_doc.size(); ++i) {
            canvas().drawOutline(m_doc.area(i));
            canvas().tint(m_doc.region(i));
        }
    }
    m_tools.skipMouse = false;
    m_doc.clearAreas();
    m_doc.clearLists();
    switch (m_endWindow->run()) {
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
    if (m_doc.hasUnsavedWork() && keepWork()) {
        event->ignore();
        m_unloading = false;
        return;
    }
    showNormal();
    collapseAndNarrow();
    event->accept();
    // Closing the main window closes every window of the program.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}

void frmMap::collapseAndNarrow()
{
    // The window shrinks to its title bar, then narrows, in steps of 200 twips; each
    // loop is bounded, since a window manager may keep a minimum size of its own.
    int heightTwips = height() * twipsPerPixel;
    for (int i = 0, n = roundToInt(heightTwips / 2.0); i < n; ++i) {
        m_pause->processEvents();
        heightTwips = height() * twipsPerPixel - 200;
        resize(width(), std::max(1, twipsToPixels(heightTwips)));
        if (heightTwips <= 210)
            break;
    }
    resize(width(), std::max(1, twipsToPixels(2)));
    int widthTwips = width() * twipsPerPixel;
    for (int i = 0, n = roundToInt(widthTwips / 2.0); i < n; ++i) {
        m_pause->processEvents();
        widthTwips = width() * twipsPerPixel - 200;
        resize(std::max(1, twipsToPixels(widthTwips)), height());
        if (widthTwips <= 2200) {
            resize(twipsToPixels(2200), height());
            setWindowTitle(QStringLiteral("   ...later"));
            m_pause->pause(300);
            break;
        }
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
    m_pause->pause(ms);
}

void frmMap::editArea(int i)
{
    if (m_doc.hrefList().isEmpty()) {
        m_curHREF.clear();
        m_curT.clear();
        m_curAlt.clear();
    } else {
        m_curHREF = m_doc.hrefList().value(i);
        m_curT = m_doc.targetList().value(i);
        m_curAlt = m_doc.altList().value(i);
    }
    const QByteArray tmpHREF = m_areaDialog->run(m_curHREF, m_curT, m_curAlt);
    if (tmpHREF == deleteAnswer) {
        // Drawn once more, the outline and the tint vanish from the picture.
        canvas().drawOutline(m_doc.area(i));
        canvas().tint(m_doc.region(i));
        m_doc.deleteArea(i);
        return;
    }
    if (tmpHREF.isEmpty())
        m_tools.radius = 0.0f;
    else
        m_doc.replaceTail(i, tmpHREF, {m_curHREF, m_curT, m_curAlt});
    m_ui->mapee->setFocus();
}

void frmMap::popupFileMenu()
{
    m_tools.skipMouse = true;
    m_ui->mnuFile->exec(QCursor::pos());
    m_pause->processEvents();
}

void frmMap::fitWindow()
{
    const WindowFit fit = tavlo::fitWindow(m_ui->mapee->outerSize(), m_screen->screenSize());
    if (fit.moveToOrigin)
        move(0, 0);
    resize(twipsToPixels(fit.widthTwips), twipsToPixels(fit.heightTwips));
}

void frmMap::Form_Resize()
{
    if (m_unloading)
        return;
    const QSize inside(width(), height() - menuBar()->sizeHint().height());
    const WindowLayout layout = layoutWindow(inside, m_ui->mapee->outerSize());

    // Moving the canvas home undoes any scrolling; the bars keep their positions.
    m_ui->mapee->move(layout.canvasPos);
    m_ui->HScroll1->setGeometry(layout.hscroll);
    m_ui->VScroll1->setGeometry(layout.vscroll);
    for (auto [bar, max, visibleLength] :
         {std::tuple{m_ui->HScroll1, layout.hscrollMax,
                     layout.vscroll.left() - layout.canvasPos.x()},
          std::tuple{m_ui->VScroll1, layout.vscrollMax, layout.hscroll.top()}}) {
        bar->setMinimum(0);
        bar->setMaximum(std::max(0, max));
        bar->setPageStep(std::max(1, visibleLength));
        bar->setVisible(max > 0);
    }
}

void frmMap::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMap::HScroll1_Change(int value)
{
    m_ui->mapee->move(design::canvasLeftPixels - value, m_ui->mapee->y());
}

void frmMap::VScroll1_Change(int value)
{
    m_ui->mapee->move(m_ui->mapee->x(), -value);
}

bool frmMap::Form_KeyDown(int key)
{
    // Only the key code counts, whatever Shift, Ctrl or Alt say.
    switch (key) {
    case Qt::Key_F1:
        m_tools.skipMouse = false;
        mnuFileHelp_Click();
        return true;
    case Qt::Key_F2:
        m_tools.skipMouse = false;
        mnuFileOpen_Click();
        return true;
    case Qt::Key_F5:
        if (!m_imageLoaded)
            return true;
        if (m_prompts->messageBox(QStringLiteral("Confirm Clipboard:"),
                                  QStringLiteral("Saving present map to the clipboard.") + newline +
                                      newline + QStringLiteral("Continue?"),
                                  MsgIcon::None, MsgButtons::YesNo) == MsgAnswer::Yes) {
            m_tools.skipMouse = false;
            cmdMake_Click();
        }
        return true;
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
    case Qt::Key_F9:
        // The save commands decide for themselves, enabled in the menu or not.
        if (m_imageLoaded) {
            m_tools.skipMouse = false;
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
    // The wheel over the canvas moves the bars, as it would over them.
    if (watched == m_ui->mapee && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint d = wheel->angleDelta();
        const bool sideways = d.x() != 0 || wheel->modifiers().testFlag(Qt::ShiftModifier);
        const int delta = d.x() != 0 ? d.x() : d.y();
        QScrollBar* bar = sideways ? m_ui->HScroll1 : m_ui->VScroll1;
        if (bar->isVisible()) {
            bar->setValue(bar->value() - delta / 120 * bar->singleStep());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tavlo
