#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

#include <memory>

namespace Ui {
class frmHelp;
}

namespace tavlo {

// The help window: what the right and the left mouse button offer, described entry by
// entry as the pointer moves over the two list pictures. It has no owner; it opens at
// mainTopLeft, the main window's outer top-left corner in screen pixels. Show it with
// exec(). Escape and the close box close it; it keeps no state between openings.
class frmHelp final : public QDialog {
    Q_OBJECT

public:
    explicit frmHelp(QPoint mainTopLeft);
    ~frmHelp() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Panel { None, Right, Left };

    void Form_Load();
    void picBG1_MouseMove();
    void picBG2_MouseMove();
    void img_rList_MouseMove(QPointF pixel);
    void img_lList_MouseMove(QPointF pixel);
    void showPanel(Panel panel);

    std::unique_ptr<Ui::frmHelp> m_ui;
    QPoint m_mainTopLeft;
    Panel m_lit = Panel::None;
    QPixmap m_fMouse;
    QPixmap m_rMouse;
    QPixmap m_lMouse;
    QPixmap m_enterUp;
    QPixmap m_cancelUp;
    QPixmap m_deleteUp;
};

} // namespace tavlo
