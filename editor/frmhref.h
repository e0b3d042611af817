#pragma once

#include "session/areadialog.h"

#include <QByteArray>
#include <QDialog>
#include <QRect>
#include <QSize>

#include <memory>

namespace Ui {
class frmHREF;
}

namespace tavlo {

// The area properties dialog: one area's HREF, TARGET and ALT text, or its deletion.
// It works on its caller's texts, which outlive it. It pre-fills from curHREF, curT and
// curAlt and leaves its answer in answer: Enter with the escaped record tail, Delete, or
// Cancel for Cancel and for every other way of closing. Only Enter writes curHREF, curT
// and curAlt, as typed. It has no owner window; the main
// window's outer frame and the screen size (pixels) place it each time it is activated.
class frmHREF final : public QDialog {
    Q_OBJECT

public:
    frmHREF(AreaAnswer& answer, QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt,
            QRect mainFrame, QSize screen);
    ~frmHREF() override;

    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void picEnter_Click();
    void picCancel_Click();
    void picDelete_Click();

    std::unique_ptr<Ui::frmHREF> m_ui;
    AreaAnswer& m_answer;
    QByteArray& m_curHREF;
    QByteArray& m_curT;
    QByteArray& m_curAlt;
    QRect m_mainFrame;
    QSize m_screen;
};

} // namespace tavlo
