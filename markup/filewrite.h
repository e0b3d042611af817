#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {

// Writes bytes to path through a temporary file in the same folder, renamed over
// the target only when complete; an existing target keeps its permissions. Returns
// "" on success, else the reason, for the user.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace tavlo
