#pragma once

#include <QIODevice>
#include <QStringList>

namespace tavlo {

// One entry per command of tavlo-map. args are the words after the command's name;
// the result is the exit status: 0 done, 1 findings (check), 2 bad usage or input.
int runCheck(const QStringList& args, QIODevice& out, QIODevice& err);
int runImport(const QStringList& args, QIODevice& out, QIODevice& err);
int runApply(const QStringList& args, QIODevice& out, QIODevice& err);
int runInfo(const QStringList& args, QIODevice& out, QIODevice& err);
int runExport(const QStringList& args, QIODevice& out, QIODevice& err);
int runCodes(const QStringList& args, QIODevice& out, QIODevice& err);

} // namespace tavlo
