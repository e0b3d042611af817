#pragma once

#include <QByteArray>

#include <memory>

class QMimeData;

namespace tavlo {

// The map block as the clipboard carries it: the same text on every target, as UTF-8
// (utf8Of: its bytes unchanged when they are UTF-8 already, else read as Windows-1252),
// so that UTF8_STRING is UTF-8 and STRING its Latin-1 form.
std::unique_ptr<QMimeData> clipboardData(const QByteArray& block);

} // namespace tavlo
