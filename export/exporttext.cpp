#include "export/exporttext.h"

#include "platform/utf8text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavlo::exporttext {

namespace {

constexpr char replacement[] = "\xEF\xBF\xBD";

bool isNoncharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

int sequenceLength(unsigned char lead)
{
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

char32_t decodeSequence(const unsigned char* s, int length)
{
    char32_t c = s[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        c = (c << 6) | (s[i] & 0x3F);
    return c;
}

} // namespace

void appendAttribute(QByteArray& out, const char* name, const QByteArray& value)
{
    out += ' ';
    out += name;
    out += "=\"";
    appendMarkup(out, value);
    out += '"';
}

void appendMarkup(QByteArray& out, const QByteArray& value)
{
    const QByteArray text = utf8Of(value);
    const auto* s = reinterpret_cast<const unsigned char*>(text.constData());
    const qsizetype n = text.size();
    qsizetype run = 0; // start of the bytes not yet copied
    auto flush = [&](qsizetype i) { out.append(text.constData() + run, i - run); };
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = s[i];
        const char* reference = nullptr;
        int length = 1;
        if (b < 0x80) {
            switch (b) {
            case '&':
                reference = "&amp;";
                break;
            case '<':
                reference = "&lt;";
                break;
            case '>':
                reference = "&gt;";
                break;
            case '"':
                reference = "&quot;";
                break;
            case '\'':
                reference = "&#39;";
                break;
            // Kept as references: an attribute value would read them as blanks.
            case '\t':
                reference = "&#9;";
                break;
            case '\n':
                reference = "&#10;";
                break;
            case '\r':
                reference = "&#13;";
                break;
            default:
                if (b < 0x20 || b == 0x7F)
                    reference = replacement;
            }
        } else {
            length = int(std::min<qsizetype>(sequenceLength(b), n - i));
            const char32_t c = decodeSequence(s + i, length);
            if ((c >= 0x80 && c < 0xA0) || isNoncharacter(c))
                reference = replacement;
        }
        if (reference) {
            flush(i);
            out.append(reference);
            run = i + length;
        }
        i += length;
    }
    flush(n);
}

QByteArray cleanUrl(const QByteArray& url)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    auto changed = [](unsigned char b) {
        return b <= 0x20 || b == 0x7F || QByteArrayView("\"<>`{}|^").contains(char(b));
    };
    if (std::none_of(url.begin(), url.end(), [&](char c) { return changed(c); }))
        return url;
    qsizetype from = 0;
    qsizetype to = url.size();
    while (from < to && blank(url[from]))
        ++from;
    while (to > from && blank(url[to - 1]))
        --to;
    QByteArray out;
    out.reserve((to - from) * 3);
    for (qsizetype i = from; i < to; ++i) {
        const auto b = static_cast<unsigned char>(url[i]);
        if (b == '\t' || b == '\n' || b == '\r')
            continue;
        if (changed(b)) {
            static constexpr char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0xF];
        } else {
            out += char(b);
        }
    }
    return out;
}

void appendJsonString(QByteArray& out, const QByteArray& value)
{
    const QByteArray text = utf8Of(value);
    out.append('"');
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b != '"' && b != '\\')
            continue;
        out.append(text.constData() + run, i - run);
        run = i + 1;
        switch (b) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default: {
            static constexpr char hex[] = "0123456789abcdef";
            out.append("\\u00");
            out.append(hex[b >> 4]);
            out.append(hex[b & 0xF]);
        }
        }
    }
    out.append(text.constData() + run, text.size() - run);
    out.append('"');
}

void appendNumber(QByteArray& out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    char text[32];
    const std::to_chars_result end =
        value == std::trunc(value) && std::fabs(value) < 1e15
            ? std::to_chars(text, text + sizeof text, static_cast<long long>(value))
            : std::to_chars(text, text + sizeof text, value);
    out.append(text, end.ptr - text);
}

std::optional<QList<double>> shapeCoords(const ForeignArea& area)
{
    if (!area.usable)
        return std::nullopt;
    const QList<double>& c = area.coords;
    switch (area.shape) {
    case ForeignShape::Rect:
        if (c.size() < 4)
            return std::nullopt;
        // Given right to left or bottom to top, a browser turns it round.
        return QList<double>{std::min(c[0], c[2]), std::min(c[1], c[3]), std::max(c[0], c[2]),
                             std::max(c[1], c[3])};
    case ForeignShape::Circle:
        if (c.size() < 3 || !(c[2] > 0))
            return std::nullopt;
        return c.first(3);
    case ForeignShape::Poly:
        if (c.size() < 6)
            return std::nullopt;
        return c.first(c.size() & ~qsizetype(1));
    case ForeignShape::Default:
        break;
    }
    return QList<double>();
}

const char* shapeKeyword(ForeignShape shape)
{
    switch (shape) {
    case ForeignShape::Rect:
        return "rect";
    case ForeignShape::Circle:
        return "circle";
    case ForeignShape::Poly:
        return "poly";
    case ForeignShape::Default:
        break;
    }
    return "default";
}

} // namespace tavlo::exporttext
