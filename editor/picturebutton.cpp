#include "editor/picturebutton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tavlo {

namespace {

// Switching to another window and back, or closing a popup, is no focus change
// within the window: the button keeps the image it shows.
bool movesFocusWithinWindow(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

} // namespace

PictureButton::PictureButton(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setUpImage(const QPixmap& image)
{
    m_up = image;
    update();
}

void PictureButton::setDownImage(const QPixmap& image)
{
    m_down = image;
    update();
}

void PictureButton::showImage(bool down)
{
    if (m_showsDown == down)
        return;
    m_showsDown = down;
    update();
}

void PictureButton::focusInEvent(QFocusEvent* event)
{
    if (movesFocusWithinWindow(event))
        showImage(true);
    QWidget::focusInEvent(event);
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    if (movesFocusWithinWindow(event))
        showImage(false);
    QWidget::focusOutEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_showsDown) {
        event->accept();
        emit clicked();
        return;
    }
    event->ignore();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    showImage(true);
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    showImage(false);
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // Never scaled; a picture a little larger than the button loses as much on each side.
    const QPixmap& image = m_showsDown ? m_down : m_up;
    painter.drawPixmap((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}

} // namespace tavlo
