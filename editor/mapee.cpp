#include "editor/mapee.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tavlo {

Mapee::Mapee(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(backColour));
    setPalette(pal);
}

void Mapee::setPicture(const QImage& picture)
{
    // One pixel format for the exclusive-or painting to work on.
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    resize(outerSize());
    update();
}

QSize Mapee::outerSize() const
{
    return m_picture.size() + QSize(2 * border, 2 * border);
}

void Mapee::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Only what was exposed: a big picture must repaint as fast as a small one.
    const QRect exposed = event->rect();
    const QRect target = exposed & QRect(QPoint(border, border), m_picture.size());
    if (!target.isEmpty())
        painter.drawImage(target, m_picture, target.translated(-border, -border));
    const QRect frame = rect();
    if (!QRect(frame.adjusted(border, border, -border, -border)).contains(exposed)) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

void Mapee::dragEnterEvent(QDragEnterEvent* event)
{
    // Whatever is dragged is taken; the drop tells the user when it is no file.
    event->acceptProposedAction();
    emit dragOver();
}

void Mapee::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
    emit dragOver();
}

void Mapee::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    emit dropped(event->mimeData());
}

} // namespace tavlo
