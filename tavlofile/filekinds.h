#pragma once

#include <QStringView>

namespace tavlo {

enum class FileKind { Text, Image, Refused };

// What the editor does with a file whose extension key (the last four characters of a
// name, lower-cased) is key: read it as map or page text, load it as a picture, or refuse
// it. The command line, a drop, the open dialog and the image a map names all decide here.
FileKind editorKind(QStringView key);

// Whether a file of this name is a page or map file that `tavlo-map check` looks at
// when it walks a folder: a text kind of the table other than plain text.
bool isPageName(QStringView fileName);

} // namespace tavlo
