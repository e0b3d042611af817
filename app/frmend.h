#pragma once

#include "session/endwindow.h"

#include <QDialog>
#include <QPixmap>

#include <memory>

namespace Ui {
class frmEnd;
}

namespace tavlo {

class Pause;

// The what-next window offered after every save, borderless over the centre of its owner
// (the main window). exec() returns the EndChoice as an int. Enter answers Quit, Escape
// does nothing; a close by any other road counts as Another.
class frmEnd final : public QDialog {
    Q_OBJECT

public:
    frmEnd(QWidget* owner, Pause& pause);
    ~frmEnd() override;

    // The farewell strip: the window, without its picture, shrinks to a strip just
    // inside the owner's top edge that says "See You" for half a second. Quit runs it
    // before the window closes, so the window never disappears in between.
    void farewell();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void choose(EndChoice choice);

    std::unique_ptr<Ui::frmEnd> m_ui;
    Pause& m_pause;
    QPixmap m_picture;
    QString m_text;
};

} // namespace tavlo
