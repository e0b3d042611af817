#include "cli/cliio.h"

#include "platform/filewrite.h"
#include "platform/pathops.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tavlo {

namespace {

// Pages past this size are refused before they are read whole.
constexpr qint64 largestInput = qint64(1) << 30;

} // namespace

void writeLine(QIODevice& device, const QString& text)
{
    device.write(text.toUtf8() + '\n');
}

int complain(QIODevice& err, const QString& subject, const QString& message)
{
    // Without a subject (no command at all) the program's name stands alone.
    writeLine(err, QStringLiteral("tavlo-map: ") +
                       (subject.isEmpty() ? QString() : subject + QStringLiteral(": ")) + message);
    return exitTrouble;
}

int usageError(QIODevice& err, const QString& command, const QString& message)
{
    complain(err, command, message);
    writeLine(err, QStringLiteral("Try 'tavlo-map --help' for more information."));
    return exitTrouble;
}

std::optional<QByteArray> readInput(const QString& path, QIODevice& err)
{
    QString problem;
    std::optional<QByteArray> bytes = readInput(path, problem);
    if (!bytes)
        complain(err, path, problem);
    return bytes;
}

std::optional<QByteArray> readInput(const QString& path, QString& problem)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        problem = QStringLiteral("no such file");
        return std::nullopt;
    }
    if (info.isDir()) {
        problem = QStringLiteral("is a directory");
        return std::nullopt;
    }
    if (info.size() > largestInput) {
        problem = QStringLiteral("too large (more than 1 GiB)");
        return std::nullopt;
    }
    FileBytes read = readWholeFile(path);
    if (!read.error.isEmpty()) {
        problem = QStringLiteral("cannot be read: ") + read.error;
        return std::nullopt;
    }
    return std::move(read.bytes);
}

int writeOutput(const QString& target, const QByteArray& bytes, QIODevice& out, QIODevice& err)
{
    if (target == QLatin1String("-")) {
        if (out.write(bytes) != bytes.size())
            return complain(err, QStringLiteral("standard output"), out.errorString());
        return exitDone;
    }
    if (const WriteResult written = writeFileAtomically(target, bytes); !written.ok())
        return complain(err, target, written.error);
    return exitDone;
}

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& args,
                                    QIODevice& out, QIODevice& err, const QString& helpEnd)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("tavlo-map")} + args)) {
        // Qt's own words, said the way tavlo-map says everything else.
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            const QString& name = unknown.first();
            const QString dashes =
                args.contains(QLatin1Char('-') + name) ? QStringLiteral("-") : QStringLiteral("--");
            return usageError(err, command,
                              QStringLiteral("unknown option '%1%2'").arg(dashes, name));
        }
        static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
        const QRegularExpressionMatch m = missing.match(parser.errorText());
        if (m.hasMatch())
            return usageError(err, command,
                              QStringLiteral("option '%1' needs a value").arg(m.captured(1)));
        QString text = parser.errorText(); // "Unexpected value after '--json'."
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        if (!text.isEmpty())
            text[0] = text[0].toLower();
        return usageError(err, command, text);
    }
    if (parser.isSet(help)) {
        // Qt's help, with the command's name in its first line.
        QString text = parser.helpText();
        const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, firstLineEnd,
                     QStringLiteral("Usage: tavlo-map %1 %2").arg(command, synopsis).trimmed());
        out.write((text + helpEnd).toUtf8());
        return exitDone;
    }
    return std::nullopt;
}

QString firstValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const QStringList values = parser.values(option);
    return values.isEmpty() ? QString() : values.first();
}

std::optional<int> refuseRepeats(const QCommandLineParser& parser, const QString& command,
                                 const QStringList& options, QIODevice& err)
{
    for (const QString& option : options) {
        if (parser.values(option).size() > 1)
            return usageError(
                err, command,
                QStringLiteral("option '%1%2' given twice")
                    .arg(option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), option));
    }
    return std::nullopt;
}

} // namespace tavlo
