#pragma once

#include <QObject>
#include <QSize>

class QScrollBar;

namespace tavlo {

class Mapee;

// The canvas within the main window's bars: HScroll1 and VScroll1 move it, and the
// wheel over it moves them, as it would over them.
class CanvasScroll final : public QObject {
public:
    CanvasScroll(Mapee& canvas, QScrollBar& hscroll, QScrollBar& vscroll);

    // Places canvas and bars in the window's inside (below its menu bar). Moving the
    // canvas home undoes any scrolling; the bars keep their positions.
    void layOut(QSize inside);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);

    Mapee& m_canvas;
    QScrollBar& m_hscroll;
    QScrollBar& m_vscroll;
};

} // namespace tavlo
