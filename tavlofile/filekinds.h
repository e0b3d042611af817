#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <span>

namespace tavlo {

enum class FileKind { Text, Image, Refused };

// One extension key (the last four characters of a name, lower-cased) and what it is.
struct FileKindEntry {
    QLatin1StringView key;
    FileKind kind;
    bool editorOpens; // false: a kind the size reader knows that the editor refuses
};

// Every kind of file the program knows by name. The command line, a drop, the open
// dialog and the image a map names all decide from this one table.
std::span<const FileKindEntry> fileKinds();

// What the editor does with a file whose extension key is key: read it as map or page
// text, load it as a picture, or refuse it.
FileKind editorKind(QStringView key);

// Whether a file of this name is a page or map file that `tavlo-map check` looks at
// when it walks a folder: a text kind of the table other than plain text.
bool isPageName(QStringView fileName);

} // namespace tavlo
