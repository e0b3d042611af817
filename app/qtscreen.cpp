#include "app/qtscreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tavlo {

QSize QtScreen::screenSize() const
{
    const QScreen* screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

} // namespace tavlo
