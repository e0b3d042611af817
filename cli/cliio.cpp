#include "cli/cliio.h"

#include "platform/filewrite.h"
#include "platform/pathops.h"

#include <QFileInfo>

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
    const QFileInfo info(path);
    if (!info.exists()) {
        complain(err, path, QStringLiteral("no such file"));
        return std::nullopt;
    }
    if (info.isDir()) {
        complain(err, path, QStringLiteral("is a directory"));
        return std::nullopt;
    }
    if (info.size() > largestInput) {
        complain(err, path, QStringLiteral("too large (more than 1 GiB)"));
        return std::nullopt;
    }
    FileBytes read = readWholeFile(path);
    if (!read.error.isEmpty()) {
        complain(err, path, QStringLiteral("cannot be read: ") + read.error);
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

QString Arguments::value(const QString& option) const
{
    for (const auto& [name, v] : values) {
        if (name == option)
            return v;
    }
    return {};
}

Arguments parseArguments(const QStringList& args, const QStringList& valued,
                         const QStringList& flags)
{
    Arguments out;
    bool operandsOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (operandsOnly || a == QLatin1String("-") || !a.startsWith(QLatin1Char('-'))) {
            out.operands.append(a);
        } else if (a == QLatin1String("--")) {
            operandsOnly = true;
        } else if (flags.contains(a)) {
            out.flags.append(a);
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size()) {
                out.error = QStringLiteral("option '%1' needs a value").arg(a);
                return out;
            }
            out.values.append({a, args[++i]});
        } else if (const qsizetype eq = a.indexOf(QLatin1Char('='));
                   a.startsWith(QLatin1String("--")) && eq > 0 && valued.contains(a.left(eq))) {
            out.values.append({a.left(eq), a.mid(eq + 1)});
        } else {
            out.error = QStringLiteral("unknown option '%1'").arg(a);
            return out;
        }
    }
    return out;
}

} // namespace tavlo
