#pragma once

#include <QIODevice>
#include <QStringList>

namespace tavlo {

// args are the words after the command's name; the result is the exit status.
int runExport(const QStringList& args, QIODevice& out, QIODevice& err);

} // namespace tavlo
