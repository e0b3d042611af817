#include "editor/canvasscroll.h"

#include "editor/mapee.h"
#include "geometry/windowlayout.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <tuple>

namespace tavlo {

CanvasScroll::CanvasScroll(Mapee& canvas, QScrollBar& hscroll, QScrollBar& vscroll)
    : QObject(&canvas)
    , m_canvas(canvas)
    , m_hscroll(hscroll)
    , m_vscroll(vscroll)
{
    connect(&hscroll, &QScrollBar::valueChanged, this, &CanvasScroll::HScroll1_Change);
    connect(&vscroll, &QScrollBar::valueChanged, this, &CanvasScroll::VScroll1_Change);
    canvas.installEventFilter(this);
}

void CanvasScroll::layOut(QSize inside)
{
    const WindowLayout layout = layoutWindow(inside, m_canvas.outerSize());
    m_canvas.move(layout.canvasPos);
    m_hscroll.setGeometry(layout.hscroll);
    m_vscroll.setGeometry(layout.vscroll);
    for (auto [bar, max, visibleLength] :
         {std::tuple{&m_hscroll, layout.hscrollMax, layout.vscroll.left() - layout.canvasPos.x()},
          std::tuple{&m_vscroll, layout.vscrollMax, layout.hscroll.top()}}) {
        bar->setMinimum(0);
        bar->setMaximum(std::max(0, max));
        bar->setPageStep(std::max(1, visibleLength));
        bar->setVisible(max > 0);
    }
}

void CanvasScroll::HScroll1_Change(int value)
{
    m_canvas.move(design::canvasLeftPixels - value, m_canvas.y());
}

void CanvasScroll::VScroll1_Change(int value)
{
    m_canvas.move(m_canvas.x(), -value);
}

bool CanvasScroll::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_canvas && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint d = wheel->angleDelta();
        const bool sideways = d.x() != 0 || wheel->modifiers().testFlag(Qt::ShiftModifier);
        const int delta = d.x() != 0 ? d.x() : d.y();
        QScrollBar& bar = sideways ? m_hscroll : m_vscroll;
        if (bar.isVisible()) {
            bar.setValue(bar.value() - delta / 120 * bar.singleStep());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavlo
