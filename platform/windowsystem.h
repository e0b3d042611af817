#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

namespace tavlo {

// The Qt platform plugin to run on, or "" to leave the choice to Qt. On a Wayland
// desktop no client may place its windows, and Tavlo places its own, so it runs on
// the desktop's X server (XWayland) whenever one is reachable and the user has not
// chosen a platform.
QByteArray windowSystemFor(const QProcessEnvironment& environment);

} // namespace tavlo
