#include "app/widgetprompts.h"

#include "app/frmalert.h"
#include "app/frmmsg.h"
#include "app/frmmsgsm.h"

#include <QApplication>
#include <QMessageBox>

namespace tavlo {

namespace {

const char tagProperty[] = "Tag";

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

WidgetPrompts::WidgetPrompts(QWidget* owner)
    : m_owner(owner)
{}

// Each window is made fresh for one use. A QPointer, because the owner may go away while
// the window waits and take the window with it.
void WidgetPrompts::showMsg(const QString& label1, const QString& label2, const QString& label3)
{
    QPointer<frmMsg> window = new frmMsg(m_owner);
    window->setLabels(label1, label2, label3);
    window->exec();
    delete window;
}

void WidgetPrompts::showMsgSm(const QString& label1, const QString& label2)
{
    QPointer<frmMsgSm> window = new frmMsgSm(m_owner);
    window->setLabels(label1, label2);
    window->exec();
    delete window;
}

bool WidgetPrompts::askAlert(const QString& label1, const QString& label2, const QString& label3)
{
    QPointer<frmAlert> window = new frmAlert(m_owner);
    window->setLabels(label1, label2, label3);
    window->exec();
    delete window;
    if (!m_owner || m_owner->property(tagProperty).toString() != QLatin1String("please"))
        return false;
    m_owner->setProperty(tagProperty, QString());
    return true;
}

MsgAnswer WidgetPrompts::messageBox(const QString& title, const QString& text, MsgIcon icon,
                                    MsgButtons buttons)
{
    const bool yesNo = buttons == MsgButtons::YesNo;
    // Over a window that stays on top (the clean-up window), the box must too.
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_owner.data();
    QPointer<QMessageBox> box = new QMessageBox(
        boxIcon(icon), title, QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    const int pressed = box->exec();
    delete box;
    if (!yesNo)
        return MsgAnswer::Ok;
    return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

} // namespace tavlo
