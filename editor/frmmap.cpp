#include "editor/frmmap.h"

#include "app/modbase.h"
#include "app/widgetprompts.h"
#include "editor/areadialog.h"
#include "editor/mapee.h"
#include "editor/rounding.h"
#include "editor/widgetareadialog.h"
#include "editor/windowlayout.h"
#include "markup/imageinfo.h"
#include "markup/pathops.h"
#include "platform/pause.h"
#include "platform/qtscreen.h"
#include "ui_frmmap.h"

#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

// The pictures live in a static library, whose resources are not registered on
// their own; this must stand outside any namespace.
static void initTavloResources() {
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

namespace {

// Scroll maxima and the canvas position are 16-bit in the window's arithmetic.
constexpr int largestPicture = 32767;

const QString newline = QStringLiteral("\r\n");

} // namespace

frmMap::frmMap(MapEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMap>())
    , m_prompts(environment.prompts)
    , m_areaDialog(environment.areaDialog)
    , m_pause(environment.pause)
    , m_screen(environment.screen)
    , m_imgPath(homeFolder()) {
    initTavloResources();
    m_ui->setupUi(this);
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<WidgetPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    if (!m_pause) {
        m_ownPause = std::make_unique<EventLoopPause>();
        m_pause = m_ownPause.get();
    }
    if (!m_screen) {
        m_ownScreen = std::make_unique<QtScreen>(this);
        m_screen = m_ownScreen.get();
    }
    if (!m_areaDialog) {
        m_ownAreaDialog = std::make_unique<WidgetAreaDialog>(this, *m_screen);
        m_areaDialog = m_ownAreaDialog.get();
    }

    // The canvas scrolls beneath the strip and the bars.
    m_ui->mapee->lower();
    m_ui->mapee->setPicture(QImage(QStringLiteral(":/images/splash.png")));
    m_ui->mapee->installEventFilter(this);
    setAcceptDrops(true);

    connect(m_ui->cmdSquare, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Rectangle; });
    connect(m_ui->cmdCircle, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Circle; });
    connect(m_ui->cmdPoly, &QToolButton::clicked, this,
            [this] { m_tools.curShape = AreaTools::Polygon; });
    connect(m_ui->mnuFile, &QMenu::aboutToShow, this, [this] { m_tools.skipMouse = false; });
    Mapee* canvas = m_ui->mapee;
    connect(canvas, &Mapee::pressed, this,
            [this](Qt::MouseButton b, QPointF p) { m_tools.press(b, p); });
    connect(canvas, &Mapee::moved, this,
            [this](Qt::MouseButtons b, QPointF p) { m_tools.move(b, p); });
    connect(canvas, &Mapee::released, this,
            [this](Qt::MouseButton b, QPointF p) { m_tools.release(b, p); });
    connect(m_ui->cmdMake, &QToolButton::clicked, this, &frmMap::cmdMake_Click);
    connect(m_ui->cmdClose, &QToolButton::clicked, this, &QWidget::close);
    connect(m_ui->mnuFileSave1, &QAction::triggered, this, &frmMap::cmdMake_Click);
    connect(m_ui->mnuFileClose, &QAction::triggered, this, &QWidget::close);
    // cmdClose is the window's cancel button.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    connect(m_ui->HScroll1, &QScrollBar::valueChanged, this, &frmMap::HScroll1_Change);
    connect(m_ui->VScroll1, &QScrollBar::valueChanged, this, &frmMap::VScroll1_Change);
    connect(m_ui->mapee, &Mapee::dragOver, this, [this] { m_tools.skipDrop = true; });

    resize(twipsToPixels(design::clientWidth),
           twipsToPixels(design::clientHeight) + menuBar()->sizeHint().height());
}

frmMap::~frmMap() = default;

Mapee* frmMap::mapee() const {
    return m_ui->mapee;
}

void frmMap::refuseImage(const QString& sFile, const QString& reason) {
    m_prompts->showMsg(QStringLiteral("We have a problem..."), reason + newline + newline + sFile,
                       fileKindHint);
    m_tools.skipDrop = false;
}

bool frmMap::imgSpecs(const QString& sFile) {
    const QString fname = fileTitle(sFile);
    const QString notRecognised =
        newline + QStringLiteral("Tavlo does not recognize the filetype in:");

    // Every check comes before anything changes, so a refused picture costs nothing.
    QImageReader reader(sFile);
    const QSize announced = reader.size();
    const auto tooLarge = [](QSize s) {
        return s.width() > largestPicture || s.height() > largestPicture;
    };
    if (announced.isValid() && tooLarge(announced)) {
        m_prompts->showMsg(
            QStringLiteral("We have a problem..."),
            newline + QStringLiteral("Tavlo maps pictures of up to 32767 by 32767 pixels;") +
                newline +
                QStringLiteral("this one is %1 by %2:")
                    .arg(announced.width())
                    .arg(announced.height()) +
                newline + newline + sFile,
            QStringLiteral("Please choose a smaller picture."));
        m_tools.skipDrop = false;
        return false;
    }
    const QImage picture = reader.read();
    if (picture.isNull() || fname.size() < 4) {
        refuseImage(sFile, notRecognised);
        return false;
    }
    if (tooLarge(picture.size())) {
        refuseImage(
            sFile, newline + QStringLiteral("Tavlo maps pictures of up to 32767 by 32767 pixels:"));
        return false;
    }

    ImageInfo info = readImageInfo(sFile);
    // The tag must never say 0 x 0 for a picture that shows.
    if (info.width <= 0 || info.height <= 0) {
        info.width = picture.width();
        info.height = picture.height();
    }

    m_ui->mapee->setPicture(picture);
    m_imageLoaded = true;
    m_doc.clearAreas();
    m_imgPath = sFile;
    m_image = imageMarkup(QFile::encodeName(fname), info.width, info.height);
    fitWindow();
    Form_Resize();
    return true;
}

void frmMap::txtSpecs(const QString& fName, const QString& dExt) {
    Q_UNUSED(dExt);
    m_prompts->messageBox(QStringLiteral("Tavlo Note:"),
                          QStringLiteral("This version of Tavlo cannot read maps from files yet:") +
                              newline + fName,
                          MsgIcon::Information, MsgButtons::Ok);
}

QByteArray frmMap::savedMapBlock() const {
    return mapBlock(savedImageFolder, m_image, m_doc.areaList());
}

void frmMap::cmdMake_Click() {
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
    clipboard->setText(QString::fromUtf8(savedMapBlock()));
    finishSave();
}

void frmMap::finishSave() {
    m_htmlOut =
        htmlPageText(mapBlock(QFile::encodeName(folderOf(m_imgPath)), m_image, m_doc.areaList()));
    imgSpecs(m_imgPath);
    m_tools.skipMouse = false;
    m_doc.clearAreas();
    m_doc.clearLists();
}

XorCanvas& frmMap::canvas() {
    return m_ui->mapee->canvas();
}

void frmMap::setPointer(Pointer pointer) {
    m_ui->mapee->setCursor(pointer == Pointer::UpArrow ? Qt::UpArrowCursor : Qt::CrossCursor);
}

void frmMap::pause(int ms) {
    m_pause->pause(ms);
}

void frmMap::editArea(int i) {
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
        canvas().drawOutline(m_doc.ptsList()[i]);
        canvas().tint(m_doc.rgnList()[i]);
        m_doc.deleteArea(i);
        return;
    }
    if (tmpHREF.isEmpty())
        m_tools.radius = 0.0f;
    else
        m_doc.replaceTail(i, tmpHREF, m_curHREF, m_curT, m_curAlt);
    m_ui->mapee->setFocus();
}

void frmMap::popupFileMenu() {
    m_tools.skipMouse = true;
    const bool areas = !m_doc.areaList().isEmpty();
    for (QAction* save : {m_ui->mnuFileSave1, m_ui->mnuFileSave2File0, m_ui->mnuFileSave2File1,
                          m_ui->mnuFileSave2File2})
        save->setEnabled(areas);
    m_ui->mnuFileSave2File3->setEnabled(m_pageOpen);
    m_ui->mnuFile->exec(QCursor::pos());
    m_pause->processEvents();
}

void frmMap::fitWindow() {
    const WindowFit fit = tavlo::fitWindow(m_ui->mapee->outerSize(), m_screen->screenSize());
    if (fit.moveToOrigin)
        move(0, 0);
    resize(twipsToPixels(fit.widthTwips), twipsToPixels(fit.heightTwips));
}

void frmMap::Form_Resize() {
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

void frmMap::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMap::HScroll1_Change(int value) {
    m_ui->mapee->move(design::canvasLeftPixels - value, m_ui->mapee->y());
}

void frmMap::VScroll1_Change(int value) {
    m_ui->mapee->move(m_ui->mapee->x(), -value);
}

bool frmMap::eventFilter(QObject* watched, QEvent* event) {
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
