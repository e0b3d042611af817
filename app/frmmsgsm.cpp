#include "app/frmmsgsm.h"

#include "app/modgrad.h"
#include "ui_frmmsgsm.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSizeGrip>

namespace tavlo {

namespace {

QString shown(const QString& text) {
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

frmMsgSm::frmMsgSm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::frmMsgSm>())
    , m_grip(new QSizeGrip(this)) // made first, so it stays below the buttons it may touch
{
    m_ui->setupUi(this);
    m_grip->resize(m_grip->sizeHint());
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->cmdOK->setFocus();
}

frmMsgSm::~frmMsgSm() = default;

void frmMsgSm::setLabels(const QString& label1, const QString& label2) {
    m_ui->Label1->setText(shown(label1));
    m_ui->Label2->setText(shown(label2));
}

void frmMsgSm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_ui->cmdOK->setFocus();
    QDialog::changeEvent(event);
}

void frmMsgSm::keyPressEvent(QKeyEvent* event) {
    // No cancel button here: Escape is swallowed, OK is the only answer.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmMsgSm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GradBands(painter, size(), 187, 0, 187, false);
}

void frmMsgSm::resizeEvent(QResizeEvent* event) {
    m_grip->move(width() - m_grip->width(), height() - m_grip->height());
    QDialog::resizeEvent(event);
}

void frmMsgSm::showEvent(QShowEvent* event) {
    // QDialog's own placement allows for a title bar that this window does not have.
    if (QWidget* owner = parentWidget())
        move(owner->window()->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tavlo
