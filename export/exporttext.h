#pragma once

#include "html/foreignpage.h"

#include <QByteArray>
#include <QList>

#include <optional>

// Text, numbers and shapes as the exporters write them. Internal to the exporters.
namespace tavlo::exporttext {

// Appends value (any bytes) for use inside a double-quoted attribute or as element
// text in HTML and XML: markup characters and line breaks become references, and
// characters neither language allows become U+FFFD.
void appendMarkup(QByteArray& out, const QByteArray& value);
// Appends ` name="value"`, the value as appendMarkup writes it.
void appendAttribute(QByteArray& out, const char* name, const QByteArray& value);

// A URL as a browser reads it (blanks around it and tabs and line breaks in it
// dropped), with the characters that a valid page may not hold in a URL, such as
// blanks and quotes, percent-encoded. Its meaning is unchanged.
QByteArray cleanUrl(const QByteArray& url);

// Appends value (any bytes) as a JSON string, quotes included.
void appendJsonString(QByteArray& out, const QByteArray& value);

// Shortest text that reads back as the same number; whole numbers without a point.
void appendNumber(QByteArray& out, double value);

// The numbers a browser uses for the area's shape (rect 4, left, top, right, bottom;
// circle 3; poly an even count of at least 6; none for default), or nullopt when a browser can
// never hit the area: too few numbers, or a circle of no radius.
std::optional<QList<double>> shapeCoords(const ForeignArea& area);

// "rect", "circle", "poly", "default": the keywords of HTML.
const char* shapeKeyword(ForeignShape shape);

} // namespace tavlo::exporttext
