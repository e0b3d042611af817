#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {

// True for a plain file (or a link to one). A pipe, a device or a socket is not: opening
// one can block for good, so nothing that opens a file by name may open those.
bool isPlainFile(const QString& path);

// True when the path names a plain file that can be opened for reading.
bool fileExists(const QString& path);

// A whole file's bytes, or the reason it cannot be read, for the user ("" when read).
struct FileBytes {
    QByteArray bytes;
    QString error;
};
FileBytes readWholeFile(const QString& path);

// The path up to and including its last "/", or "" when it has none.
QString folderOf(const QString& path);

// The part after the last "/" (or, failing that, the last "\"); the whole path when
// it has neither.
QString fileTitle(const QString& path);

// The last four characters of a path, lower-cased: the key of the file-kind table
// (tavlofile/filekinds.h).
QString extensionKey(const QString& path);

// The folder offered before any picture is loaded: the home folder with a "/".
QString homeFolder();

} // namespace tavlo
