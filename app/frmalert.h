#pragma once

#include <QDialog>

#include <memory>

class QSizeGrip;
namespace Ui {
class frmAlert;
}

namespace tavlo {

// The program's yes/no question: a headline, two texts, YES and NO. Shown modally over its
// owner. YES stores "please" in the owner's "Tag" property; NO, Escape or any other way of
// closing leaves it as it is.
class frmAlert final : public QDialog {
    Q_OBJECT

public:
    explicit frmAlert(QWidget* owner);
    ~frmAlert() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2, const QString& label3);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::frmAlert> m_ui;
    QSizeGrip* m_grip;
};

} // namespace tavlo
