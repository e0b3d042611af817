#include "editor/widgetareadialog.h"

#include "editor/frmhref.h"
#include "platform/screeninfo.h"

#include <QWidget>

namespace tavlo {

WidgetAreaDialog::WidgetAreaDialog(QWidget* mainWindow, ScreenInfo& screen)
    : m_mainWindow(mainWindow)
    , m_screen(screen)
{}

AreaAnswer WidgetAreaDialog::run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt)
{
    AreaAnswer answer;
    frmHREF dialog(answer, curHREF, curT, curAlt,
                   m_mainWindow ? m_mainWindow->frameGeometry() : QRect(), m_screen.screenSize());
    dialog.exec();
    return answer;
}

} // namespace tavlo
