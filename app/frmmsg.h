#pragma once

#include <QDialog>

#include <memory>

class QSizeGrip;
namespace Ui {
class frmMsg;
}

namespace tavlo {

// The program's message window: a headline, two further texts and OK. Shown modally over
// its owner; Enter presses OK, Escape does nothing.
class frmMsg final : public QDialog {
    Q_OBJECT

public:
    explicit frmMsg(QWidget* owner);
    ~frmMsg() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2, const QString& label3);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::frmMsg> m_ui;
    QSizeGrip* m_grip;
};

} // namespace tavlo
