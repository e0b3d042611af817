#pragma once

#include "html/findingcodes.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavlo {

// One thing that breaks, or may break, an image map, at the tag it is about.
struct Finding {
    using Severity = FindingLevel;
    int line = 0;
    int column = 0;
    Severity severity = Severity::Error;
    QString message;
    QByteArray code; // one of findingCodes(): "missing-alt", "unreachable", ...
};

// Where a check looks for pictures.
struct CheckSettings {
    // The folder a site-absolute src ("/img/map.gif") starts from; "" for the file
    // system's root.
    QString siteRoot;
};

// Every <img usemap>, <map> and <area> of a page (any HTML, or Tavlo's own map, page
// and text files) checked as a browser uses them; pictures are looked for relative
// to pageFile. In page order.
QList<Finding> checkPage(const QByteArray& page, const QString& pageFile,
                         const CheckSettings& settings = {});

// Whether a check of page can find anything at all: it names a map, an area, a
// usemap or a Tavlo block, or ends inside a tag. Reads the bytes only, no parse.
bool worthChecking(QByteArrayView page);

// "FILE:LINE:COLUMN: error: message [code]"
QString findingLine(const QString& file, const Finding& finding);

} // namespace tavlo
