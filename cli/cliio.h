#pragma once

#include <QByteArray>
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

// Writes bytes to standard output when target is "-", else whole to the file target;
// returns the exit status, having told why on the error stream when it failed.
int writeOutput(const QString& target, const QByteArray& bytes, QIODevice& out, QIODevice& err);

// The words of a command line taken apart: options with a value, flags, operands.
struct Arguments {
    QStringList operands;
    QStringList flags;                     // "--json"
    QList<QPair<QString, QString>> values; // "--map", "nav"
    QString error;                         // "" when the words made sense
    QString value(const QString& option) const;
    bool has(const QString& flag) const { return flags.contains(flag); }
};
// valued: the options that take a value ("-o", "--map"); flags: those that do not.
Arguments parseArguments(const QStringList& args, const QStringList& valued,
                         const QStringList& flags);

} // namespace tavlo
