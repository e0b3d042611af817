#pragma once

#include <QString>

namespace tavlo {

// True when the file can be opened for reading; a folder cannot.
bool fileExists(const QString& path);

// The path up to and including its last "/", or "" when it has none.
QString folderOf(const QString& path);

// The text before the first NUL character, or the whole text.
QString stripNul(const QString& text);

// The part after the last "/" (or, failing that, the last "\"); the whole path when
// it has neither.
QString fileTitle(const QString& path);

// The last four characters of a path, lower-cased: every file-kind test compares it
// against the literals below.
QString extensionKey(const QString& path);

// "html", ".htm", ".asp", ".txt", "tavl": read as map or page text.
bool isTextKind(const QString& key);
// ".jpg", ".gif"
bool isImageKind(const QString& key);

// The folder offered before any picture is loaded: the home folder with a "/".
QString homeFolder();

} // namespace tavlo
