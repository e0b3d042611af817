#pragma once

#include "html/mapcheck.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tavlo {

enum class ReportFormat { Text, Json, Sarif, Github };

std::optional<ReportFormat> reportFormatNamed(const QString& name);

// The findings of one file as check reports them.
struct CheckedFile {
    QString name; // as given, or as found under a folder given
    QList<Finding> findings;
};

// The lines of one file in the formats written file by file (text, github); empty for
// the others.
QByteArray reportLines(ReportFormat format, const CheckedFile& file);

// The whole report of the formats written at the end (json, sarif); empty for the
// others. SARIF names files relative to the working folder.
QByteArray reportDocument(ReportFormat format, const QList<CheckedFile>& files);

} // namespace tavlo
