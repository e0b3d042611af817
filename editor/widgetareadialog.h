#pragma once

#include "session/areadialog.h"

class QWidget;

namespace tavlo {

class ScreenInfo;

// The area dialog as the user sees it: a fresh frmHREF for each opening, placed by the
// main window's outer frame and the screen.
class WidgetAreaDialog final : public AreaDialog {
public:
    WidgetAreaDialog(QWidget* mainWindow, ScreenInfo& screen);

    AreaAnswer run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override;

private:
    QWidget* m_mainWindow;
    ScreenInfo& m_screen;
};

} // namespace tavlo
