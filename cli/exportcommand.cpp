#include "cli/cliio.h"
#include "cli/commands.h"
#include "export/mapexport.h"
#include "html/foreignpage.h"

namespace tavlo {

int runExport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    const QString command = QStringLiteral("export");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The map in another form."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the page or map file"));
    const QCommandLineOption formatOption(
        QStringLiteral("format"), QStringLiteral("svg, html or json."), QStringLiteral("FORMAT"));
    const QCommandLineOption mapOption(QStringLiteral("map"),
                                       QStringLiteral("The page's map of this name."),
                                       QStringLiteral("NAME"));
    const QCommandLineOption outOption(QStringLiteral("o"),
                                       QStringLiteral("Write to OUT, not standard output."),
                                       QStringLiteral("OUT"));
    parser.addOptions({formatOption, mapOption, outOption});
    if (const std::optional<int> done = parseCommandLine(
            parser, command, QStringLiteral("FILE --format svg|html|json [--map NAME] [-o OUT]"),
            args, out, err))
        return *done;
    if (parser.positionalArguments().size() != 1)
        return usageError(err, command, QStringLiteral("give exactly one file to export"));
    if (const std::optional<int> repeated = refuseRepeats(
            parser, command, {QStringLiteral("format"), QStringLiteral("map"), QStringLiteral("o")},
            err))
        return *repeated;
    if (!parser.isSet(formatOption))
        return usageError(err, command, QStringLiteral("say --format svg, html or json"));
    const std::optional<ExportFormat> format = exportFormatNamed(parser.value(formatOption));
    if (!format)
        return usageError(err, command,
                          QStringLiteral("unknown format '%1' (svg, html or json)")
                              .arg(parser.value(formatOption)));

    const QString file = parser.positionalArguments().first();
    const std::optional<QByteArray> bytes = readInput(file, err);
    if (!bytes)
        return exitTrouble;
    const ForeignPage page = readForeignPage(*bytes);
    std::optional<QByteArray> mapName;
    if (parser.isSet(mapOption))
        mapName = parser.value(mapOption).toUtf8();
    const ExportChoice choice = chooseExportMap(page, mapName);
    if (!choice.image)
        return complain(err, file, choice.error);
    const PictureSize size = exportPictureSize(file, *choice.image, *choice.map);
    if (!size.error.isEmpty())
        return complain(err, file, size.error);
    if (!size.note.isEmpty())
        complain(err, file, size.note);
    const QByteArray result =
        exportMap(*format, *choice.image, *choice.map, choice.image->src, size.width, size.height);

    return writeOutput(parser.isSet(outOption) ? parser.value(outOption) : QStringLiteral("-"),
                       result, out, err);
}

} // namespace tavlo
