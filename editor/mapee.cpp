#include "editor/mapee.h"

#include "map/areatools.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace tavlo {

Mapee::Mapee(QWidget* parent)
    : QWidget(parent)
    , m_canvas(m_picture,
               [this](const QRegion& changed) { update(changed.translated(border, border)); })
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
    const QRect inside(QPoint(border, border), m_picture.size());
    for (const QRect& exposed : event->region()) {
        const QRect target = exposed & inside;
        if (!target.isEmpty())
            painter.drawImage(target, m_picture, target.translated(-border, -border));
    }
    const QRect frame = rect();
    if (!inside.contains(event->region().boundingRect())) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

void Mapee::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), toPicture(event->position()));
}

void Mapee::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), toPicture(event->position()));
}

void Mapee::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), toPicture(event->position()));
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

void Mapee::drive(AreaTools& tools)
{
    connect(this, &Mapee::pressed, this,
            [&tools](Qt::MouseButton b, QPointF p) { tools.press(b, p); });
    connect(this, &Mapee::moved, this,
            [&tools](Qt::MouseButtons b, QPointF p) { tools.move(b, p); });
    connect(this, &Mapee::released, this,
            [&tools](Qt::MouseButton b, QPointF p) { tools.release(b, p); });
    connect(this, &Mapee::dragOver, this, [&tools] { tools.fileDraggedOver(); });
}

} // namespace tavlo
