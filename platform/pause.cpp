#include "platform/pause.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace tavlo {

void EventLoopPause::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void EventLoopPause::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tavlo
