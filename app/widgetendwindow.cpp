#include "app/widgetendwindow.h"

#include "app/frmend.h"

namespace tavlo {

WidgetEndWindow::WidgetEndWindow(QWidget* owner, Pause& pause)
    : m_owner(owner)
    , m_pause(pause)
{}

EndChoice WidgetEndWindow::run()
{
    // A QPointer, because the owner may go away while the window waits and take it along.
    QPointer<frmEnd> window = new frmEnd(m_owner, m_pause);
    const int result = window->exec();
    if (!window)
        return EndChoice::Another;
    delete window;
    return static_cast<EndChoice>(result);
}

} // namespace tavlo
