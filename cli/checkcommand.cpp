#include "cli/cliio.h"
#include "cli/commands.h"
#include "html/foreignpage.h"
#include "html/mapcheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tavlo {

int runCheck(const QStringList& args, QIODevice& out, QIODevice& err)
{
    const Arguments a = parseArguments(args, {}, {QStringLiteral("--json")});
    if (!a.error.isEmpty())
        return usageError(err, QStringLiteral("check"), a.error);
    if (a.operands.isEmpty())
        return usageError(err, QStringLiteral("check"), QStringLiteral("no file to check"));
    const bool json = a.has(QStringLiteral("--json"));

    int status = exitDone;
    QJsonArray all;
    for (const QString& file : a.operands) {
        const std::optional<QByteArray> page = readInput(file, err);
        if (!page) {
            status = exitTrouble;
            continue;
        }
        if (notAPage(*page)) {
            complain(err, file, QStringLiteral("not an HTML page"));
            status = exitTrouble;
            continue;
        }
        for (const Finding& f : checkPage(*page, file)) {
            if (f.severity == Finding::Severity::Error && status == exitDone)
                status = exitFindings;
            if (!json) {
                writeLine(out, findingLine(file, f));
                continue;
            }
            all.append(QJsonObject{
                {QStringLiteral("file"), file},
                {QStringLiteral("line"), f.line},
                {QStringLiteral("column"), f.column},
                {QStringLiteral("severity"), f.severity == Finding::Severity::Error
                                                 ? QStringLiteral("error")
                                                 : QStringLiteral("warning")},
                {QStringLiteral("message"), f.message},
                {QStringLiteral("code"), QString::fromLatin1(f.code)},
            });
        }
    }
    if (json)
        out.write(QJsonDocument(all).toJson(QJsonDocument::Indented));
    return status;
}

} // namespace tavlo
