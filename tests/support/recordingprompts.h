#pragma once

#include "platform/prompts.h"

#include <QList>
#include <QStringList>

namespace tavlo::test {

// Answers every prompt at once and keeps what was asked, in order.
class RecordingPrompts final : public Prompts {
public:
    struct Shown {
        QString kind; // "msg", "msgSm", "alert", "box"
        QStringList texts;
    };

    void showMsg(const QString& l1, const QString& l2, const QString& l3) override
    {
        shown.append({QStringLiteral("msg"), {l1, l2, l3}});
    }
    void showMsgSm(const QString& l1, const QString& l2) override
    {
        shown.append({QStringLiteral("msgSm"), {l1, l2}});
    }
    bool askAlert(const QString& l1, const QString& l2, const QString& l3) override
    {
        shown.append({QStringLiteral("alert"), {l1, l2, l3}});
        return alertAnswer;
    }
    MsgAnswer messageBox(const QString& title, const QString& text, MsgIcon icon,
                         MsgButtons buttons) override
    {
        shown.append({QStringLiteral("box"), {title, text}});
        lastIcon = icon;
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : boxAnswer;
    }

    QList<Shown> shown;
    bool alertAnswer = false;
    MsgAnswer boxAnswer = MsgAnswer::No;
    MsgIcon lastIcon = MsgIcon::None;
};

} // namespace tavlo::test
