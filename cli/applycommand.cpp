#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/mapapply.h"

namespace tavlo {

int runApply(const QStringList& args, QIODevice& out, QIODevice& err)
{
    const QString mapOption = QStringLiteral("--map");
    const QString outOption = QStringLiteral("-o");
    const Arguments a = parseArguments(args, {mapOption, outOption}, {});
    if (!a.error.isEmpty())
        return usageError(err, QStringLiteral("apply"), a.error);
    if (a.operands.size() != 2)
        return usageError(err, QStringLiteral("apply"),
                          QStringLiteral("give a map file and the page to write it into"));
    const QString mapFile = a.operands[0];
    const QString pageFile = a.operands[1];
    const std::optional<QByteArray> map = readInput(mapFile, err);
    if (!map)
        return exitTrouble;
    const std::optional<QByteArray> page = readInput(pageFile, err);
    if (!page)
        return exitTrouble;

    const MapApply result = applyMap(*map, *page, a.value(mapOption).toUtf8());
    if (result.status == MapApply::Status::BadMapFile)
        return complain(err, mapFile, result.error);
    if (result.status != MapApply::Status::Done)
        return complain(err, pageFile, result.error);
    const QString target = a.value(outOption).isEmpty() ? pageFile : a.value(outOption);
    return writeOutput(target, result.page, out, err);
}

} // namespace tavlo
