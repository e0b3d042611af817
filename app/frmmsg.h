#pragma once

#include "app/messagewindow.h"

#include <memory>

namespace Ui {
class frmMsg;
}

namespace tavlo {

// The program's message window: a headline, two further texts and OK. Enter presses OK,
// Escape does nothing.
class frmMsg final : public MessageWindow {
    Q_OBJECT

public:
    explicit frmMsg(QWidget* owner);
    ~frmMsg() override;

    // Texts may hold CR LF line breaks.
    void setLabels(const QString& label1, const QString& label2, const QString& label3);

private:
    std::unique_ptr<Ui::frmMsg> m_ui;
};

} // namespace tavlo
