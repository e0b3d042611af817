#pragma once

#include <QString>

namespace tavlo {

// The system's temporary folder with a trailing "/", or "/tmp/" when there is none.
QString tempFolder();

} // namespace tavlo
