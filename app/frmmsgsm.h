#pragma once

#include "app/messagewindow.h"

#include <memory>

namespace Ui {
class frmMsgSm;
}

namespace tavlo {

// The small message window: a headline, one line and OK. Enter presses OK, Escape does
// nothing.
class frmMsgSm final : public MessageWindow {
    Q_OBJECT

public:
    explicit frmMsgSm(QWidget* owner);
    ~frmMsgSm() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2);

private:
    std::unique_ptr<Ui::frmMsgSm> m_ui;
};

} // namespace tavlo
