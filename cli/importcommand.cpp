#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/mapimport.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

int runImport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The page's map as a Tavlo map file."));
    parser.addPositionalArgument(QStringLiteral("PAGE"), QStringLiteral("the page to read"));
    const QCommandLineOption mapOption(QStringLiteral("map"),
                                       QStringLiteral("The page's map of this name."),
                                       QStringLiteral("NAME"));
    const QCommandLineOption outOption(QStringLiteral("o"),
                                       QStringLiteral("Write to FILE.tavl, not standard output."),
                                       QStringLiteral("FILE.tavl"));
    parser.addOptions({mapOption, outOption});
    if (const std::optional<int> done =
            parseCommandLine(parser, QStringLiteral("import"),
                             QStringLiteral("PAGE [--map NAME] [-o FILE.tavl]"), args, out, err))
        return *done;
    if (parser.positionalArguments().size() != 1)
        return usageError(err, QStringLiteral("import"),
                          QStringLiteral("give exactly one page to import"));
    const QString pageFile = parser.positionalArguments().first();
    const std::optional<QByteArray> page = readInput(pageFile, err);
    if (!page)
        return exitTrouble;

    const QString target = firstValue(parser, outOption);
    const bool toStdout = target.isEmpty() || target == QLatin1String("-");
    // A map written to a device or a pipe (/dev/stdout) is read where the user stands.
    const QFileInfo info(target);
    const bool placedHere = toStdout || (info.exists() && !info.isFile()) ||
                            target.startsWith(QLatin1String("/dev/")) ||
                            target.startsWith(QLatin1String("/proc/"));
    const QString tavlFile =
        placedHere ? QDir::current().filePath(QStringLiteral("map.tavl")) : target;
    const MapImport result =
        importMap(*page, pageFile, firstValue(parser, mapOption).toUtf8(), tavlFile);
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
