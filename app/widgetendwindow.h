#pragma once

#include "session/endwindow.h"

#include <QPointer>
#include <QWidget>

namespace tavlo {

class Pause;

// Shows a fresh frmEnd, owned by the main window, for each choice.
class WidgetEndWindow final : public EndWindow {
public:
    WidgetEndWindow(QWidget* owner, Pause& pause);
    EndChoice run() override;

private:
    QPointer<QWidget> m_owner;
    Pause& m_pause;
};

} // namespace tavlo
