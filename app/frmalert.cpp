#include "app/frmalert.h"

#include "app/modgrad.h"
#include "ui_frmalert.h"

#include <QPainter>
#include <QSizeGrip>

namespace tavlo {

namespace {

QString shown(const QString& text) {
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

frmAlert::frmAlert(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::frmAlert>())
    , m_grip(new QSizeGrip(this)) // made first, so it stays below the buttons it may touch
{
    m_ui->setupUi(this);
    m_grip->resize(m_grip->sizeHint());
    connect(m_ui->cmdYes, &QPushButton::clicked, this, [this] {
        if (QWidget* owner = parentWidget())
            owner->setProperty("Tag", QStringLiteral("please"));
        accept();
    });
    connect(m_ui->cmdNo, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->cmdYes->setFocus();
}

frmAlert::~frmAlert() = default;

void frmAlert::setLabels(const QString& label1, const QString& label2, const QString& label3) {
    m_ui->Label1->setText(shown(label1));
    m_ui->Label2->setText(shown(label2));
    m_ui->Label3->setText(shown(label3));
}

void frmAlert::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_ui->cmdYes->setFocus();
    QDialog::changeEvent(event);
}

void frmAlert::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    GradBands(painter, size(), 255, 0, 0, false);
}

void frmAlert::resizeEvent(QResizeEvent* event) {
    m_grip->move(width() - m_grip->width(), height() - m_grip->height());
    QDialog::resizeEvent(event);
}

void frmAlert::showEvent(QShowEvent* event) {
    // QDialog's own placement allows for a title bar that this window does not have.
    if (QWidget* owner = parentWidget())
        move(owner->window()->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tavlo
