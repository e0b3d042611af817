#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/mapapply.h"

namespace tavlo {

int runApply(const QStringList& args, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the map file's areas back into the page's map."));
    parser.addPositionalArgument(QStringLiteral("FILE.tavl"), QStringLiteral("the map file"));
    parser.addPositionalArgument(QStringLiteral("PAGE"), QStringLiteral("the page to write into"));
    const QCommandLineOption mapOption(QStringLiteral("map"),
                                       QStringLiteral("The page's map of this name."),
                                       QStringLiteral("NAME"));
    const QCommandLineOption outOption(
        QStringLiteral("o"), QStringLiteral("Write to OUT (- for standard output), not the page."),
        QStringLiteral("OUT"));
    parser.addOptions({mapOption, outOption});
    if (const std::optional<int> done = parseCommandLine(
            parser, QStringLiteral("apply"), QStringLiteral("FILE.tavl PAGE [--map NAME] [-o OUT]"),
            args, out, err))
        return *done;
    const QStringList operands = parser.positionalArguments();
    if (operands.size() != 2)
        return usageError(err, QStringLiteral("apply"),
                          QStringLiteral("give a map file and the page to write it into"));
    const QString mapFile = operands[0];
    const QString pageFile = operands[1];
    const std::optional<QByteArray> map = readInput(mapFile, err);
    if (!map)
        return exitTrouble;
    const std::optional<QByteArray> page = readInput(pageFile, err);
    if (!page)
        return exitTrouble;

    const MapApply result = applyMap(*map, *page, firstValue(parser, mapOption).toUtf8());
    if (result.status == MapApply::Status::BadMapFile)
        return complain(err, mapFile, result.error);
    if (result.status != MapApply::Status::Done)
        return complain(err, pageFile, result.error);
    const QString target =
        firstValue(parser, outOption).isEmpty() ? pageFile : firstValue(parser, outOption);
    return writeOutput(target, result.page, out, err);
}

} // namespace tavlo
