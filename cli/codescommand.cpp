#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/findingcodes.h"

namespace tavlo {

int runCodes(const QStringList& args, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "List the finding codes of check: code, level unless changed, what it means."));
    if (const std::optional<int> done =
            parseCommandLine(parser, QStringLiteral("codes"), QString(), args, out, err))
        return *done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            err, QStringLiteral("codes"),
            QStringLiteral("takes no operands ('%1')").arg(parser.positionalArguments().first()));
    for (const FindingCode& c : findingCodes())
        writeLine(out, QString(c.code) + QLatin1Char('\t') + QString(levelName(c.level)) +
                           QLatin1Char('\t') + QString(c.description));
    return exitDone;
}

} // namespace tavlo
