#pragma once

#include "map/xorcanvas.h"

#include <QColor>
#include <QImage>
#include <QWidget>

class QMimeData;

namespace tavlo {

class AreaTools;

// The canvas: shows the picture being mapped inside a 1-pixel border and keeps it
// in an image of its own, so that outlines and tints painted into it survive
// repaints. All its coordinates are pixels of that image, (0, 0) at its top left.
class Mapee : public QWidget {
    Q_OBJECT

public:
    // The pen of every outline, dot and rubber band. Never black: exclusive-or
    // with black draws nothing.
    static constexpr QRgb backColour = qRgb(192, 192, 192);
    static constexpr int border = 1;

    explicit Mapee(QWidget* parent = nullptr);

    // Replaces the picture and sizes the canvas to it plus its border.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // The canvas's outer size: the picture plus the border on each side.
    QSize outerSize() const;

    // Position of a widget point in picture pixels.
    static QPointF toPicture(QPointF widgetPos) { return widgetPos - QPointF(border, border); }

    // Exclusive-or drawing into the picture; each figure repaints what it changed.
    XorCanvas& canvas() { return m_canvas; }

    // Hands every press, move and release, and every file dragged over, to tools.
    void drive(AreaTools& tools);

signals:
    // Positions in picture pixels.
    void pressed(Qt::MouseButton button, QPointF pos);
    void moved(Qt::MouseButtons buttons, QPointF pos);
    void released(Qt::MouseButton button, QPointF pos);
    void dragOver();
    void dropped(const QMimeData* data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage m_picture;
    XorCanvas m_canvas;
};

} // namespace tavlo
