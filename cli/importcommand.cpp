#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/mapimport.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

int runImport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    const QString mapOption = QStringLiteral("--map");
    const QString outOption = QStringLiteral("-o");
    const Arguments a = parseArguments(args, {mapOption, outOption}, {});
    if (!a.error.isEmpty())
        return usageError(err, QStringLiteral("import"), a.error);
    if (a.operands.size() != 1)
        return usageError(err, QStringLiteral("import"),
                          QStringLiteral("give exactly one page to import"));
    const QString pageFile = a.operands.first();
    const std::optional<QByteArray> page = readInput(pageFile, err);
    if (!page)
        return exitTrouble;

    const QString target = a.value(outOption);
    const bool toStdout = target.isEmpty() || target == QLatin1String("-");
    // A map written to a device or a pipe (/dev/stdout) is read where the user stands.
    const QFileInfo info(target);
    const bool placedHere = toStdout || (info.exists() && !info.isFile()) ||
                            target.startsWith(QLatin1String("/dev/")) ||
                            target.startsWith(QLatin1String("/proc/"));
    const QString tavlFile =
        placedHere ? QDir::current().filePath(QStringLiteral("map.tavl")) : target;
    const MapImport result = importMap(*page, pageFile, a.value(mapOption).toUtf8(), tavlFile);
    for (const ImportNote& note : result.notes)
        complain(
            err,
            QStringLiteral("%1:%2:%3").arg(pageFile).arg(note.where.line).arg(note.where.column),
            note.text);
    if (result.status != MapImport::Status::Done)
        return complain(err, pageFile, result.error);
    return writeOutput(toStdout ? QStringLiteral("-") : target, result.tavl, out, err);
}

} // namespace tavlo
