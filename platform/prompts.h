#pragma once

#include <QString>

namespace tavlo {

enum class MsgIcon { None, Information, Exclamation, Question };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Every question and note the program puts to the user goes through here, so that
// windows and tests alike can answer them. Texts may hold CR LF line breaks.
class Prompts {
public:
    virtual ~Prompts() = default;
    // frmMsg: a headline and two further texts, OK.
    virtual void showMsg(const QString& label1, const QString& label2, const QString& label3) = 0;
    // frmMsgSm: a headline and one line, OK.
    virtual void showMsgSm(const QString& label1, const QString& label2) = 0;
    // frmAlert: a headline, two lines, YES / NO. True when the answer is YES.
    virtual bool askAlert(const QString& label1, const QString& label2, const QString& label3) = 0;
    // The system message box.
    virtual MsgAnswer messageBox(const QString& title, const QString& text, MsgIcon icon,
                                 MsgButtons buttons) = 0;
};

} // namespace tavlo
