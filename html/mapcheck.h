#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavlo {

// One thing that breaks, or may break, an image map, at the tag it is about.
struct Finding {
    enum class Severity { Error, Warning };
    int line = 0;
    int column = 0;
    Severity severity = Severity::Error;
    QString message;
    QByteArray code; // "missing-alt", "unreachable", ...
};

// Every <img usemap>, <map> and <area> of a page (any HTML, or Tavlo's own map, page
// and text files) checked as a browser uses them; pictures are looked for relative
// to pageFile. In page order.
QList<Finding> checkPage(const QByteArray& page, const QString& pageFile);

// "FILE:LINE:COLUMN: error: message [code]"
QString findingLine(const QString& file, const Finding& finding);

} // namespace tavlo
