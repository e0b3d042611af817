#pragma once

#include <QByteArray>

namespace tavlo {

// Bytes as UTF-8: kept when they are valid UTF-8, else read as Windows-1252 (the code
// page of the pages the program was made for, and what a browser assumes for a page
// that names no encoding), never with replaced characters.
QByteArray utf8Of(const QByteArray& bytes);

} // namespace tavlo
