#include "app/frmend.h"

#include "platform/pause.h"
#include "platform/rounding.h"
#include "ui_frmend.h"

#include <QKeyEvent>
#include <QPainter>

namespace tavlo {

namespace {

// The strip's place and size over the owner, in twips.
constexpr int stripLeft = 45;
constexpr int stripTop = 50;
constexpr int stripNarrower = 100;
constexpr int stripHeight = 270;

} // namespace

frmEnd::frmEnd(QWidget* owner, Pause& pause)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::frmEnd>())
    , m_pause(pause)
    , m_picture(QStringLiteral(":/images/endback.png"))
{
    m_ui->setupUi(this);
    connect(m_ui->cmdQuit, &QPushButton::clicked, this, [this] {
        farewell();
        choose(EndChoice::Quit);
    });
    connect(m_ui->cmdPreview, &QPushButton::clicked, this, [this] { choose(EndChoice::Preview); });
    connect(m_ui->cmdIgnore, &QPushButton::clicked, this, [this] { choose(EndChoice::Another); });
    m_ui->cmdQuit->setFocus();
}

frmEnd::~frmEnd() = default;

void frmEnd::farewell()
{
    m_picture = QPixmap();
    update();
    const QRect owner = parentWidget() ? parentWidget()->window()->frameGeometry() : geometry();
    move(owner.x() + twipsToPixels(stripLeft), owner.y() + twipsToPixels(stripTop));
    resize(twipsToPixels(owner.width() * twipsPerPixel - stripNarrower),
           twipsToPixels(stripHeight));
    m_pause.processEvents();
    m_text = QStringLiteral("               See You");
    update();
    m_pause.processEvents();
    m_pause.pause(500);
}

void frmEnd::reject()
{
    choose(EndChoice::Another);
}

void frmEnd::choose(EndChoice choice)
{
    done(static_cast<int>(choice));
}

void frmEnd::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape must not close the window as Quit or as anything else.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmEnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
    painter.drawPixmap(0, 0, m_picture);
    if (!m_text.isEmpty()) {
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
    }
}

void frmEnd::showEvent(QShowEvent* event)
{
    // QDialog's own placement allows for a title bar that this window does not have.
    if (QWidget* owner = parentWidget())
        move(owner->window()->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tavlo
