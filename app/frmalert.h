#pragma once

#include "app/messagewindow.h"

#include <memory>

namespace Ui {
class frmAlert;
}

namespace tavlo {

// The program's yes/no question: a headline, two texts, YES and NO. YES stores "please" in
// the owner's "Tag" property; NO, Escape or any other way of closing leaves it as it is.
class frmAlert final : public MessageWindow {
    Q_OBJECT

public:
    explicit frmAlert(QWidget* owner);
    ~frmAlert() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2, const QString& label3);

private:
    std::unique_ptr<Ui::frmAlert> m_ui;
};

} // namespace tavlo
