#pragma once

#include <QImage>

namespace tavlo {

// The picture the canvas shows before any is opened, decoded once for the whole run.
// Safe from any thread: start-up decodes it on a thread of its own while the window is
// being built.
QImage splashPicture();

} // namespace tavlo
