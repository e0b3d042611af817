#include "export/exporttext.h"
#include "export/mapexport.h"

namespace tavlo {

using namespace exporttext;

namespace {

void appendOptionalString(QByteArray& out, const std::optional<QByteArray>& value)
{
    if (value)
        appendJsonString(out, *value);
    else
        out += "null";
}

} // namespace

QByteArray exportJson(const ForeignImage& /*image*/, const ForeignMap& map,
                      const QByteArray& picturePath, int width, int height)
{
    QByteArray out;
    out.reserve(256 + map.areas.size() * 120);
    out += "{\n  \"picture\": {\"path\": ";
    appendJsonString(out, picturePath);
    out += ", \"width\": " + QByteArray::number(width) +
           ", \"height\": " + QByteArray::number(height) + "},\n  \"map\": ";
    appendJsonString(out, map.name);
    out += ",\n  \"areas\": [";
    // Every area in page order, also those a browser ignores (marked "usable": false),
    // with its numbers as read.
    for (qsizetype i = 0; i < map.areas.size(); ++i) {
        const ForeignArea& area = map.areas[i];
        out += i == 0 ? "\n    {\"shape\": \"" : ",\n    {\"shape\": \"";
        out += shapeKeyword(area.shape);
        out += "\", \"coords\": [";
        for (qsizetype j = 0; j < area.coords.size(); ++j) {
            if (j > 0)
                out += ", ";
            appendNumber(out, area.coords[j]);
        }
        out += "], \"href\": ";
        appendOptionalString(out, area.href);
        out += ", \"target\": ";
        appendOptionalString(out, area.target);
        out += ", \"alt\": ";
        appendOptionalString(out, area.alt);
        out += area.usable ? ", \"usable\": true}" : ", \"usable\": false}";
    }
    out += map.areas.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace tavlo
