#include "cli/cliio.h"
#include "cli/commands.h"
#include "export/mapexport.h"
#include "html/foreignpage.h"

namespace tavlo {

namespace {

int timesGiven(const Arguments& a, const QString& option)
{
    return int(std::count_if(a.values.begin(), a.values.end(),
                             [&](const auto& value) { return value.first == option; }));
}

} // namespace

int runExport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    const QString command = QStringLiteral("export");
    const QString formatOption = QStringLiteral("--format");
    const QString mapOption = QStringLiteral("--map");
    const QString outOption = QStringLiteral("-o");
    const Arguments a = parseArguments(args, {formatOption, mapOption, outOption}, {});
    if (!a.error.isEmpty())
        return usageError(err, command, a.error);
    if (a.operands.size() != 1)
        return usageError(err, command, QStringLiteral("give exactly one file to export"));
    for (const QString& option : {formatOption, mapOption, outOption}) {
        if (timesGiven(a, option) > 1)
            return usageError(err, command, QStringLiteral("option '%1' given twice").arg(option));
    }
    if (timesGiven(a, formatOption) == 0)
        return usageError(err, command, QStringLiteral("say --format svg, html or json"));
    const std::optional<ExportFormat> format = exportFormatNamed(a.value(formatOption));
    if (!format)
        return usageError(
            err, command,
            QStringLiteral("unknown format '%1' (svg, html or json)").arg(a.value(formatOption)));

    const QString file = a.operands.first();
    const std::optional<QByteArray> bytes = readInput(file, err);
    if (!bytes)
        return exitTrouble;
    const ForeignPage page = readForeignPage(*bytes);
    std::optional<QByteArray> mapName;
    if (timesGiven(a, mapOption) > 0)
        mapName = a.value(mapOption).toUtf8();
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

    return writeOutput(timesGiven(a, outOption) == 0 ? QStringLiteral("-") : a.value(outOption),
                       result, out, err);
}

} // namespace tavlo
