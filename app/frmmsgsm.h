#pragma once

#include <QDialog>

#include <memory>

class QSizeGrip;
namespace Ui {
class frmMsgSm;
}

namespace tavlo {

// The small message window: a headline, one line and OK. Shown modally over its owner;
// Enter presses OK, Escape does nothing.
class frmMsgSm final : public QDialog {
    Q_OBJECT

public:
    explicit frmMsgSm(QWidget* owner);
    ~frmMsgSm() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::frmMsgSm> m_ui;
    QSizeGrip* m_grip;
};

} // namespace tavlo
