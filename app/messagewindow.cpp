#include "app/messagewindow.h"

#include "app/modgrad.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSizeGrip>

namespace tavlo {

MessageWindow::MessageWindow(QWidget* owner, QColor start)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_start(start)
    // Made before the window's own controls, so it stays below the buttons it may touch.
    , m_grip(new QSizeGrip(this))
{
    m_grip->resize(m_grip->sizeHint());
}

void MessageWindow::setFocusButton(QPushButton* button)
{
    m_focusButton = button;
    button->setFocus();
}

void MessageWindow::setCancelButton(QPushButton* button)
{
    m_cancelButton = button;
}

void MessageWindow::setCaption(QLabel* label, const QString& text)
{
    label->setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void MessageWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_focusButton)
        m_focusButton->setFocus();
    QDialog::changeEvent(event);
}

void MessageWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        if (m_cancelButton)
            m_cancelButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    GradBands(painter, size(), m_start.red(), m_start.green(), m_start.blue(), false);
}

void MessageWindow::resizeEvent(QResizeEvent* event)
{
    m_grip->move(width() - m_grip->width(), height() - m_grip->height());
    QDialog::resizeEvent(event);
}

void MessageWindow::showEvent(QShowEvent* event)
{
    // QDialog's own placement allows for a title bar that this window does not have.
    if (QWidget* owner = parentWidget())
        move(owner->window()->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace tavlo
