#pragma once

#include <QByteArray>
#include <QCommandLineParser>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavlo {

enum ExitStatus { exitDone = 0, exitFindings = 1, exitTrouble = 2 };

// A line of text to a stream, UTF-8, with its line break.
void writeLine(QIODevice& device, const QString& text);

// "tavlo-map: SUBJECT: message" on the error stream; returns exitTrouble.
int complain(QIODevice& err, const QString& subject, const QString& message);

// "tavlo-map: COMMAND: message" and the pointer to --help; returns exitTrouble.
int usageError(QIODevice& err, const QString& command, const QString& message);

// The whole file, or nothing after telling why on the error stream.
std::optional<QByteArray> readInput(const QString& path, QIODevice& err);
// The whole file, or nothing with why in problem ("no such file").
std::optional<QByteArray> readInput(const QString& path, QString& problem);

// Writes bytes to standard output when target is "-", else whole to the file target;
// returns the exit status, having told why on the error stream when it failed.
int writeOutput(const QString& target, const QByteArray& bytes, QIODevice& out, QIODevice& err);

// Reads args, the words after the command's name, into parser, which holds the
// command's options; -h and --help are added here. Returns the exit status when the
// run ends here: the help printed (0), or a usage error told (2); else nothing.
// synopsis follows "tavlo-map COMMAND" in the help's first line; helpEnd closes it.
std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& args,
                                    QIODevice& out, QIODevice& err, const QString& helpEnd = {});

// The first value given to option, "" when none: import and apply have always let the
// first of repeated options count.
QString firstValue(const QCommandLineParser& parser, const QCommandLineOption& option);

// A usage error when option was given more than once; nothing otherwise.
std::optional<int> refuseRepeats(const QCommandLineParser& parser, const QString& command,
                                 const QStringList& options, QIODevice& err);

} // namespace tavlo
