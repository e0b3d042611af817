#include "cli/checkreport.h"
#include "cli/cliio.h"
#include "cli/commands.h"
#include "cli/parallelcheck.h"
#include "cli/sitepages.h"
#include "html/findingcodes.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cstdio>

#include <unistd.h>

namespace tavlo {

namespace {

const QString command = QStringLiteral("check");

// Pages whose parse takes longer are given up; a browser would take as long.
constexpr double defaultTimeout = 10;

QString helpEnd()
{
    QString text = QStringLiteral("\nFinding codes (level unless changed):\n");
    for (const FindingCode& c : findingCodes())
        text += QStringLiteral("  %1 %2 %3\n")
                    .arg(QString(c.code), -16)
                    .arg(QString(levelName(c.level)), -8)
                    .arg(QString(c.description));
    text += QStringLiteral(
        "\nExit status: 0 no errors (and no more warnings than --max-warnings), 1 errors or\n"
        "too many warnings, 2 bad usage or a file that could not be read or checked. When\n"
        "some files cannot be read and others have errors, every finding is still\n"
        "reported and the status is 2.\n");
    return text;
}

// Codes named by one or more options, each a comma list; nothing after a usage error.
std::optional<QSet<QByteArray>> codesNamed(const QStringList& values, QIODevice& err,
                                           std::optional<int>& failed)
{
    QSet<QByteArray> codes;
    for (const QString& value : values) {
        for (const QString& name : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QByteArray code = name.trimmed().toLatin1();
            if (!findingCode(QLatin1StringView(code))) {
                failed = usageError(err, command,
                                    QStringLiteral("unknown finding code '%1' (see 'tavlo-map "
                                                   "codes')")
                                        .arg(name.trimmed()));
                return std::nullopt;
            }
            codes.insert(code);
        }
    }
    return codes;
}

// The names of files-from, one a line; nothing after telling why.
std::optional<QStringList> namesListed(const QString& list, QIODevice& err)
{
    QByteArray bytes;
    if (list == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return std::nullopt;
        bytes = in.readAll();
    } else {
        std::optional<QByteArray> read = readInput(list, err);
        if (!read)
            return std::nullopt;
        bytes = std::move(*read);
    }
    QStringList names;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            names.append(QFile::decodeName(line));
    }
    return names;
}

// The pages that names stand for, in order: a folder for its pages, "-" for standard
// input. False after telling why standard input cannot be read.
bool addJobs(const QStringList& names, std::vector<PageJob>& jobs, QIODevice& err)
{
    for (const QString& name : names) {
        if (name == QLatin1String("-")) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly)) {
                complain(err, QStringLiteral("standard input"), in.errorString());
                return false;
            }
            // Pictures of a page read from standard input are looked for from here.
            jobs.push_back(
                {QStringLiteral("<stdin>"), QStringLiteral("stdin.htm"), in.readAll(), {}});
        } else if (QFileInfo(name).isDir()) {
            const QStringList pages = pagesUnder(name);
            for (const QString& page : pages)
                jobs.push_back({page, page, std::nullopt, {}});
            if (pages.isEmpty())
                jobs.push_back({name, name, std::nullopt,
                                QStringLiteral("no pages or map files in this folder")});
        } else {
            jobs.push_back({name, name, std::nullopt, {}});
        }
    }
    return true;
}

// What a run makes of the levels of the codes.
struct Levels {
    QSet<QByteArray> ignored;
    QSet<QByteArray> errors;
    QSet<QByteArray> warnings;

    // f at the level this run gives its code; false when the code is ignored.
    bool place(Finding& f) const
    {
        if (ignored.contains(f.code))
            return false;
        if (errors.contains(f.code))
            f.severity = Finding::Severity::Error;
        else if (warnings.contains(f.code))
            f.severity = Finding::Severity::Warning;
        return true;
    }
};

} // namespace

int runCheck(const QStringList& args, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Report what breaks the image maps of each page or Tavlo file, as\n"
                       "FILE:LINE:COLUMN: error|warning: message [code]. A folder is walked\n"
                       "for its pages; - reads a page from standard input."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("pages, map files, folders of them, or -"),
                                 QStringLiteral("FILE|DIR|-..."));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("text (default), json, sarif or github."),
                                          QStringLiteral("FORMAT"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("The same as --format json."));
    const QCommandLineOption ignoreOption(QStringLiteral("ignore"),
                                          QStringLiteral("Report no findings of these codes."),
                                          QStringLiteral("CODE,..."));
    const QCommandLineOption errorOption(QStringLiteral("error"),
                                         QStringLiteral("Report these codes as errors."),
                                         QStringLiteral("CODE,..."));
    const QCommandLineOption warningOption(QStringLiteral("warning"),
                                           QStringLiteral("Report these codes as warnings."),
                                           QStringLiteral("CODE,..."));
    const QCommandLineOption quietOption(
        QStringLiteral("quiet"),
        QStringLiteral("Report errors only (warnings still count for --max-warnings)."));
    const QCommandLineOption maxWarningsOption(
        QStringLiteral("max-warnings"), QStringLiteral("Exit with 1 when more than N warnings."),
        QStringLiteral("N"));
    const QCommandLineOption filesFromOption(
        QStringLiteral("files-from"),
        QStringLiteral("Also check the files named in LIST, one a line (- standard input)."),
        QStringLiteral("LIST"));
    const QCommandLineOption rootOption(
        QStringLiteral("root"),
        QStringLiteral("The folder a src that starts with / starts from (default: /)."),
        QStringLiteral("DIR"));
    const QCommandLineOption timeoutOption(
        QStringLiteral("timeout"),
        QStringLiteral("Give up a page whose check takes SECONDS of processor time "
                       "(default: %1).")
            .arg(defaultTimeout),
        QStringLiteral("SECONDS"));
    parser.addOptions({formatOption, jsonOption, ignoreOption, errorOption, warningOption,
                       quietOption, maxWarningsOption, filesFromOption, rootOption, timeoutOption});
    if (const std::optional<int> done =
            parseCommandLine(parser, command, QStringLiteral("[OPTION]... FILE|DIR|-..."), args,
                             out, err, helpEnd()))
        return *done;
    if (const std::optional<int> repeated = refuseRepeats(
            parser, command,
            {QStringLiteral("format"), QStringLiteral("max-warnings"), QStringLiteral("files-from"),
             QStringLiteral("root"), QStringLiteral("timeout")},
            err))
        return *repeated;

    ReportFormat format = ReportFormat::Text;
    if (parser.isSet(formatOption)) {
        const std::optional<ReportFormat> named = reportFormatNamed(parser.value(formatOption));
        if (!named || (parser.isSet(jsonOption) && *named != ReportFormat::Json))
            return usageError(err, command,
                              named ? QStringLiteral("--json and --format %1 disagree")
                                          .arg(parser.value(formatOption))
                                    : QStringLiteral("unknown format '%1' (text, json, sarif or "
                                                     "github)")
                                          .arg(parser.value(formatOption)));
        format = *named;
    } else if (parser.isSet(jsonOption)) {
        format = ReportFormat::Json;
    }

    std::optional<int> failed;
    Levels levels;
    for (const auto& [option, codes] :
         {std::pair{&ignoreOption, &levels.ignored}, std::pair{&errorOption, &levels.errors},
          std::pair{&warningOption, &levels.warnings}}) {
        std::optional<QSet<QByteArray>> named = codesNamed(parser.values(*option), err, failed);
        if (!named)
            return *failed;
        *codes = std::move(*named);
    }
    if (const QSet<QByteArray> both = QSet(levels.errors).intersect(levels.warnings);
        !both.isEmpty())
        return usageError(err, command,
                          QStringLiteral("'%1' is named by both --error and --warning")
                              .arg(QString::fromLatin1(*both.begin())));

    qint64 maxWarnings = -1;
    if (parser.isSet(maxWarningsOption)) {
        bool ok = false;
        maxWarnings = parser.value(maxWarningsOption).toLongLong(&ok);
        if (!ok || maxWarnings < 0)
            return usageError(err, command,
                              QStringLiteral("--max-warnings wants a whole number, not '%1'")
                                  .arg(parser.value(maxWarningsOption)));
    }
    double timeoutSeconds = defaultTimeout;
    if (parser.isSet(timeoutOption)) {
        bool ok = false;
        timeoutSeconds = parser.value(timeoutOption).toDouble(&ok);
        if (!ok || !(timeoutSeconds > 0) || timeoutSeconds > 1e6)
            return usageError(err, command,
                              QStringLiteral("--timeout wants a number of seconds, not '%1'")
                                  .arg(parser.value(timeoutOption)));
    }
    CheckSettings settings;
    if (parser.isSet(rootOption)) {
        settings.siteRoot = parser.value(rootOption);
        if (!QFileInfo(settings.siteRoot).isDir())
            return usageError(
                err, command,
                QStringLiteral("--root: '%1' is not a folder").arg(settings.siteRoot));
    }

    QStringList names = parser.positionalArguments();
    if (parser.isSet(filesFromOption)) {
        const std::optional<QStringList> listed = namesListed(parser.value(filesFromOption), err);
        if (!listed)
            return exitTrouble;
        names += *listed;
    }
    if (names.isEmpty() && !parser.isSet(filesFromOption))
        return usageError(err, command, QStringLiteral("no file to check"));
    if (names.count(QStringLiteral("-")) +
            (parser.value(filesFromOption) == QLatin1String("-") ? 1 : 0) >
        1)
        return usageError(err, command, QStringLiteral("standard input named twice"));

    std::vector<PageJob> jobs;
    if (!addJobs(names, jobs, err))
        return exitTrouble;

    int status = exitDone;
    qint64 warningCount = 0;
    QList<CheckedFile> checked;
    const bool quiet = parser.isSet(quietOption);
    const auto report = [&](std::size_t i, PageOutcome&& outcome) {
        if (!outcome.trouble.isEmpty()) {
            status = exitTrouble;
            complain(err, jobs[i].name, outcome.trouble);
            return;
        }
        CheckedFile file{jobs[i].name, {}};
        for (Finding& f : outcome.findings) {
            if (!levels.place(f))
                continue;
            if (f.severity == Finding::Severity::Error) {
                if (status == exitDone)
                    status = exitFindings;
            } else {
                ++warningCount;
                if (quiet)
                    continue;
            }
            file.findings.append(std::move(f));
        }
        out.write(reportLines(format, file));
        if (format == ReportFormat::Json || format == ReportFormat::Sarif)
            checked.append(std::move(file));
    };
    const bool abandoned = checkInParallel(
        jobs, settings, std::chrono::milliseconds(qint64(timeoutSeconds * 1000)), report);
    out.write(reportDocument(format, checked));
    if (maxWarnings >= 0 && warningCount > maxWarnings) {
        complain(err, command,
                 QStringLiteral("%1 warnings, more than --max-warnings %2 allows")
                     .arg(warningCount)
                     .arg(maxWarnings));
        if (status == exitDone)
            status = exitFindings;
    }
    if (abandoned) {
        // A parse that cannot be stopped is still running: end without waiting for it.
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(status);
    }
    return status;
}

} // namespace tavlo
