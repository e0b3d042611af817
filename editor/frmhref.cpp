#include "editor/frmhref.h"

#include "map/mapdocument.h"
#include "platform/rounding.h"
#include "tavlofile/markupwriter.h"
#include "ui_frmhref.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

// The button pictures live in a static library, whose resources are not registered on
// their own; this must stand outside any namespace.
static void initTavloResources()
{
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

namespace {

// A TARGET or ALT text that still holds this (case-sensitive) is a placeholder.
const QByteArray notFilledIn = QByteArrayLiteral("if you would like...");

// Placement, in twips.
constexpr float roomBelowMain = 1900.0f;
constexpr int aboveScreenBottom = 1875;

QByteArray filledIn(const QByteArray& text)
{
    return text.contains(notFilledIn) ? QByteArray() : text;
}

} // namespace

frmHREF::frmHREF(AreaAnswer& answer, QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt,
                 QRect mainFrame, QSize screen)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::frmHREF>())
    , m_answer(answer)
    , m_curHREF(curHREF)
    , m_curT(curT)
    , m_curAlt(curAlt)
    , m_mainFrame(mainFrame)
    , m_screen(screen)
{
    initTavloResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    setModal(true);

    m_ui->txtHREF->setText(QString::fromUtf8(curHREF.isEmpty() ? defaultHref : curHREF));
    m_ui->txtTarget->setText(QString::fromUtf8(curT.isEmpty() ? targetPrompt : curT));
    m_ui->txtAlt->setText(QString::fromUtf8(curAlt.isEmpty() ? altPrompt : curAlt));
    for (QWidget* box : {m_ui->txtHREF, m_ui->txtTarget, m_ui->txtAlt})
        box->installEventFilter(this);
    // The window opens with the focus here, so typing replaces the whole HREF.
    m_ui->txtHREF->setFocus();
    m_ui->txtHREF->selectAll();

    connect(m_ui->picEnter, &PictureButton::clicked, this, &frmHREF::picEnter_Click);
    connect(m_ui->picCancel, &PictureButton::clicked, this, &frmHREF::picCancel_Click);
    connect(m_ui->picDelete, &PictureButton::clicked, this, &frmHREF::picDelete_Click);
}

frmHREF::~frmHREF() = default;

void frmHREF::picEnter_Click()
{
    const QByteArray href = m_ui->txtHREF->text().toUtf8();
    const QByteArray target = filledIn(m_ui->txtTarget->text().toUtf8());
    const QByteArray alt = filledIn(m_ui->txtAlt->text().toUtf8());
    // "#" is what every fresh area shows: typing it does not forget the area's own HREF.
    if (href != defaultHref)
        m_curHREF = href;
    m_curT = target;
    m_curAlt = alt;
    const QByteArray tail = recordTail(href, target, alt);
    // Nothing at all typed answers as Cancel does.
    m_answer = {tail.isEmpty() ? AreaAnswer::Choice::Cancel : AreaAnswer::Choice::Enter, tail};
    accept();
}

void frmHREF::picCancel_Click()
{
    reject();
}

void frmHREF::picDelete_Click()
{
    m_answer = {AreaAnswer::Choice::Delete, {}};
    accept();
}

// Every way out but Enter and Delete ends here, the window manager's close included.
void frmHREF::reject()
{
    m_answer = {AreaAnswer::Choice::Cancel, {}};
    QDialog::reject();
}

void frmHREF::Form_Activate()
{
    const int mainLeft = m_mainFrame.x() * twipsPerPixel;
    const int mainTop = m_mainFrame.y() * twipsPerPixel;
    const int mainHeight = m_mainFrame.height() * twipsPerPixel;
    const int screenWidth = m_screen.width() * twipsPerPixel;
    const int screenHeight = m_screen.height() * twipsPerPixel;
    const int width = frameGeometry().width() * twipsPerPixel;

    int left = mainLeft;
    int top = screenHeight - aboveScreenBottom;
    if (float(mainHeight) + float(mainTop) + roomBelowMain < float(screenHeight))
        top = mainTop + mainHeight;
    if (float(left) + float(width) > float(screenWidth))
        left = screenWidth - width;
    move(twipsToPixels(left), twipsToPixels(top));
}

void frmHREF::showEvent(QShowEvent* event)
{
    // Placed before it is mapped, so it never shows at the system's spot first.
    Form_Activate();
    QDialog::showEvent(event);
}

void frmHREF::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QDialog::changeEvent(event);
}

bool frmHREF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back from another window or a popup keeps the user's selection.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            static_cast<QLineEdit*>(watched)->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void frmHREF::keyPressEvent(QKeyEvent* event)
{
    // Escape closes nothing here: only the three buttons answer.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmHREF::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(QColor(204, 204, 204), 2);
    pen.setJoinStyle(Qt::MiterJoin); // square corners, the corner pixels included
    painter.setPen(pen);
    painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
}

} // namespace tavlo
