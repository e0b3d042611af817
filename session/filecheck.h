#pragma once

#include <QString>

namespace tavlo {

class Prompts;

enum class FileCheck { Accepted, Missing, Directory, Unrecognised, CouldNotOpen };

// Whether a file named on the command line or dropped on the window may be opened.
FileCheck classifyFile(const QString& path);

// classifyFile, telling the user why a file is refused (a file that does not exist
// is refused without a word: a mistyped or split name is no news to the user). True when the file
// may be opened.
bool checkFile(const QString& path, Prompts& prompts);

// The command line as one path: the shell has split it, so join it again.
QString commandLinePath(const QStringList& arguments);

} // namespace tavlo
