#pragma once

#include <QByteArray>

#include <memory>

class QMimeData;

namespace tavlo {

// The map block as the clipboard carries it: "text/plain" holds its bytes exactly as a
// map file would; a receiver that asks for UTF-8 text gets them as they are when they
// are UTF-8 already, else read as Windows-1252, never with replaced characters.
std::unique_ptr<QMimeData> clipboardData(const QByteArray& block);

} // namespace tavlo
