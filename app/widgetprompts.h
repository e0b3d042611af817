#pragma once

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace tavlo {

// Puts the program's questions and notes to the user in its own message windows and the
// system message box, each shown modally over the owner (the main window).
class WidgetPrompts final : public Prompts {
public:
    explicit WidgetPrompts(QWidget* owner);

    void showMsg(const QString& label1, const QString& label2, const QString& label3) override;
    void showMsgSm(const QString& label1, const QString& label2) override;
    // The answer comes back through the owner's "Tag" property, which is cleared again
    // after a YES.
    bool askAlert(const QString& label1, const QString& label2, const QString& label3) override;
    MsgAnswer messageBox(const QString& title, const QString& text, MsgIcon icon,
                         MsgButtons buttons) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace tavlo
