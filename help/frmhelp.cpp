#include "help/frmhelp.h"

#include <algorithm>

#include "geometry/helpbands.h"
#include "platform/rounding.h"
#include "ui_frmhelp.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

// The pictures live in a static library, whose resources are not registered on their own;
// this must stand outside any namespace.
static void initHelpResources()
{
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

namespace {

const QColor frameWhite(255, 255, 255);
const QColor frameNormal(153, 153, 255);
const QColor frameLit(255, 255, 0);

// Offsets between the controls of a panel, in twips.
constexpr int textWidth = 4275;
constexpr int textRightOfBanner = 260;
constexpr int textBelowBannerTop = 60;
constexpr int fieldRightOfText = 140;
constexpr int fieldBelowText = 200;
constexpr int buttonsLeftOfTextEnd = 800;
constexpr int buttonsBelowText = 300;

QString shown(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// An unfilled one-pixel rectangle whose corners are both drawn.
void frame(QPainter& painter, const QColor& colour, int x1, int y1, int x2, int y2)
{
    painter.setPen(colour);
    painter.drawRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

frmHelp::frmHelp(QPoint mainTopLeft)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint)
    , m_ui(std::make_unique<Ui::frmHelp>())
    , m_mainTopLeft(mainTopLeft)
{
    initHelpResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    m_fMouse = QPixmap(QStringLiteral(":/images/header_f.png"));
    m_rMouse = QPixmap(QStringLiteral(":/images/header_r.png"));
    m_lMouse = QPixmap(QStringLiteral(":/images/header_l.png"));
    m_enterUp = QPixmap(QStringLiteral(":/images/enter_up.png"));
    m_cancelUp = QPixmap(QStringLiteral(":/images/cancel_up.png"));
    m_deleteUp = QPixmap(QStringLiteral(":/images/delete_up.png"));
    // Moves over the banners, text boxes and header reach the panel or the window beneath
    // them, so what lights up follows from the pointer's position alone.
    setMouseTracking(true);
    for (QWidget* w : findChildren<QWidget*>())
        w->setMouseTracking(true);
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui->picBG1, m_ui->picBG2, m_ui->img_rList,
                                                      m_ui->img_lList})
        w->installEventFilter(this);
    Form_Load();
}

frmHelp::~frmHelp() = default;

void frmHelp::Form_Load()
{
    const int sw = width();
    const int sh = height();
    m_ui->picBG1->setGeometry(12, 43, sw - 28, sh / 2 - 37);
    m_ui->picBG2->setGeometry(12, sh / 2 + 23, sw - 28, sh / 2 - 36);

    const auto placeText = [](QLabel* text, const QWidget* banner, int heightTwips) {
        text->setGeometry(banner->geometry().right() + 1 + twipsToPixels(textRightOfBanner),
                          banner->y() + twipsToPixels(textBelowBannerTop), twipsToPixels(textWidth),
                          twipsToPixels(heightTwips));
    };
    placeText(m_ui->txtRight, m_ui->imgR_Mouse, rightDefaultHeightTwips);
    placeText(m_ui->txtLeft, m_ui->imgL_Mouse, leftHeightTwips);
    m_ui->txtRight->setText(shown(designText));
    m_ui->txtLeft->setText(shown(designText));

    const auto atRightEnd = [](QWidget* list) {
        const QWidget* panel = list->parentWidget();
        list->move(panel->width() - list->width(), (panel->height() - list->height()) / 2);
    };
    atRightEnd(m_ui->img_rList);
    atRightEnd(m_ui->img_lList);

    const QRect text = m_ui->txtLeft->geometry();
    const QPoint field(text.x() + twipsToPixels(fieldRightOfText),
                       text.bottom() + 1 + twipsToPixels(fieldBelowText));
    m_ui->imgHREF->move(field);
    m_ui->imgTarget->move(field);
    m_ui->imgButtons->move(text.right() + 1 - twipsToPixels(buttonsLeftOfTextEnd),
                           text.bottom() + 1 + twipsToPixels(buttonsBelowText));
    m_ui->imgHREF->hide();
    m_ui->imgTarget->hide();
    m_ui->imgButtons->hide();

    m_ui->picHeader->setPixmap(m_fMouse);
}

void frmHelp::showEvent(QShowEvent* event)
{
    move(m_mainTopLeft);
    QDialog::showEvent(event);
}

void frmHelp::showPanel(Panel panel)
{
    m_ui->picHeader->setPixmap(panel == Panel::Right  ? m_rMouse
                               : panel == Panel::Left ? m_lMouse
                                                      : m_fMouse);
    if (panel != m_lit) {
        m_lit = panel;
        update();
    }
}

void frmHelp::mouseMoveEvent(QMouseEvent* event)
{
    showPanel(Panel::None);
    QDialog::mouseMoveEvent(event);
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QPointF pixel = static_cast<QMouseEvent*>(event)->position();
        if (watched == m_ui->img_rList)
            img_rList_MouseMove(pixel);
        else if (watched == m_ui->img_lList)
            img_lList_MouseMove(pixel);
        else if (watched == m_ui->picBG1)
            picBG1_MouseMove();
        else if (watched == m_ui->picBG2)
            picBG2_MouseMove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmHelp::picBG1_MouseMove()
{
    showPanel(Panel::Right);
}

void frmHelp::picBG2_MouseMove()
{
    showPanel(Panel::Left);
}

void frmHelp::img_rList_MouseMove(QPointF pixel)
{
    showPanel(Panel::Right);
    const int i = rightEntryAt(pixel);
    const char* text = i < 0 ? rightDefaultText : rightHelpEntries[i].text;
    const int height = i < 0 ? rightDefaultHeightTwips : rightHelpEntries[i].heightTwips;
    m_ui->txtRight->setText(shown(text));
    m_ui->txtRight->resize(m_ui->txtRight->width(), twipsToPixels(height));
}

void frmHelp::img_lList_MouseMove(QPointF pixel)
{
    showPanel(Panel::Left);
    const int i = leftEntryAt(pixel);
    const LeftPicture picture = i < 0 ? LeftPicture::None : leftHelpEntries[i].picture;
    m_ui->txtLeft->setText(shown(i < 0 ? leftDefaultText : leftHelpEntries[i].text));
    // Cancel's text takes three lines: the box grows rather than cut the last one.
    const int width = m_ui->txtLeft->width();
    m_ui->txtLeft->resize(
        width, std::max(twipsToPixels(leftHeightTwips), m_ui->txtLeft->heightForWidth(width)));

    m_ui->imgHREF->setVisible(picture == LeftPicture::HrefField);
    m_ui->imgTarget->setVisible(picture == LeftPicture::TargetField);
    const QPixmap* button = picture == LeftPicture::EnterButton    ? &m_enterUp
                            : picture == LeftPicture::CancelButton ? &m_cancelUp
                            : picture == LeftPicture::DeleteButton ? &m_deleteUp
                                                                   : nullptr;
    if (button)
        m_ui->imgButtons->setPixmap(*button);
    m_ui->imgButtons->setVisible(button != nullptr);
}

void frmHelp::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmHelp::paintEvent(QPaintEvent*)
{
    const int sw = width();
    const int sh = height();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    frame(painter, frameWhite, 8, 40, sw - 11, sh / 2 + 10);
    frame(painter, m_lit == Panel::Right ? frameLit : frameNormal, 10, 42, sw - 13, sh / 2 + 8);
    frame(painter, frameWhite, 8, sh / 2 + 20, sw - 11, sh - 10);
    frame(painter, m_lit == Panel::Left ? frameLit : frameNormal, 10, sh / 2 + 22, sw - 13,
          sh - 12);
}

} // namespace tavlo
