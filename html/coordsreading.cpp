#include "html/coordsreading.h"

#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavlo {

namespace {

constexpr double chromiumLimit = 33554432; // 2^25: layout units are 1/64 pixel in 32 bits
// Suggested numbers stay well inside every browser's range.
constexpr double plainLimit = 16777216;

bool firefoxSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// C's atoi as glibc has it: blanks, a sign, digits; a long that overflows stays at its
// limit, and the cast to int keeps the low 32 bits.
qint32 atoiOf(QByteArrayView item)
{
    qsizetype i = 0;
    while (i < item.size() && (firefoxSpace(item[i]) || item[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-'))
        negative = item[i++] == '-';
    const quint64 limit = quint64(INT64_MAX) + (negative ? 1 : 0);
    quint64 v = 0;
    for (; i < item.size() && item[i] >= '0' && item[i] <= '9'; ++i) {
        const quint64 d = quint64(item[i] - '0');
        v = v > (limit - d) / 10 ? limit : v * 10 + d;
    }
    const qint64 l = !negative ? qint64(v) : v == limit ? INT64_MIN : -qint64(v);
    return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(l)));
}

// The items Firefox cuts coords into: a run of blanks with at most one comma separates
// two items, a second comma starts an empty one; blanks at the end close no item.
QList<QByteArray> firefoxItems(QByteArrayView coords)
{
    QList<QByteArray> items;
    qsizetype i = 0;
    const qsizetype n = coords.size();
    while (i < n && firefoxSpace(coords[i]))
        ++i;
    if (i == n)
        return items;
    qsizetype itemStart = 0; // the first item keeps its leading blanks; atoi skips them
    while (true) {
        while (i < n && !firefoxSpace(coords[i]) && coords[i] != ',')
            ++i;
        if (i == n)
            break;
        const qsizetype itemEnd = i;
        bool comma = false;
        while (i < n && (firefoxSpace(coords[i]) || coords[i] == ',')) {
            if (coords[i] == ',') {
                if (comma)
                    break;
                comma = true;
            }
            ++i;
        }
        if (i == n && !comma)
            break;
        items.append(coords.sliced(itemStart, itemEnd - itemStart).toByteArray());
        itemStart = i;
    }
    items.append(coords.sliced(itemStart).toByteArray());
    for (QByteArray& item : items)
        item = item.trimmed();
    return items;
}

// The numbers of a list that the shape uses, or nothing when the browser ignores it.
template <typename T> std::optional<QList<T>> used(ForeignShape shape, const QList<T>& c)
{
    switch (shape) {
    case ForeignShape::Rect:
        return c.size() >= 4 ? std::optional(c.first(4)) : std::nullopt;
    case ForeignShape::Circle:
        return c.size() >= 3 && c[2] >= 0 ? std::optional(c.first(3)) : std::nullopt;
    case ForeignShape::Poly:
        return c.size() >= 6 ? std::optional(c.first(c.size() / 2 * 2)) : std::nullopt;
    case ForeignShape::Default:
        break;
    }
    return std::nullopt;
}

QString number(double v)
{
    return QString::number(v, 'g', 17);
}

template <typename T> QString listed(const QList<T>& c)
{
    QStringList out;
    for (qsizetype i = 0; i < std::min<qsizetype>(c.size(), 8); ++i)
        out.append(number(double(c[i])));
    if (c.size() > 8)
        out.append(QStringLiteral("..."));
    return out.join(QLatin1Char(','));
}

} // namespace

QList<qint64> firefoxCoords(QByteArrayView coords)
{
    QList<qint64> out;
    for (const QByteArray& item : firefoxItems(coords))
        out.append(atoiOf(item));
    return out;
}

CoordsReading compareCoordsReadings(ForeignShape shape, QByteArrayView coords)
{
    CoordsReading out;
    if (shape == ForeignShape::Default)
        return out;
    const QList<double> standard = parseNumberList(coords);
    const QList<QByteArray> items = firefoxItems(coords);
    QList<qint64> firefox;
    for (const QByteArray& item : items)
        firefox.append(atoiOf(item));

    const std::optional<QList<double>> s = used(shape, standard);
    const std::optional<QList<qint64>> f = used(shape, firefox);
    if (!s && !f)
        return out;
    if (s) {
        for (double v : *s) {
            const double w =
                std::clamp(std::isfinite(v) ? roundHalfEven(v) : (v < 0 ? -plainLimit : plainLimit),
                           -plainLimit, plainLimit);
            if (!out.plain.isEmpty())
                out.plain += ',';
            out.plain += QByteArray::number(qint64(w));
        }
    }
    const bool same = s && f && s->size() == f->size() &&
                      std::equal(s->begin(), s->end(), f->begin(),
                                 [](double a, qint64 b) { return a == double(b); });
    if (!same && (!s || !f || standard.size() != firefox.size())) {
        // Items that do not line up are named as the whole list Firefox reads.
        const QString as = QStringLiteral("Firefox reads the coords as %1").arg(listed(firefox));
        out.differences.append(!f   ? as + QStringLiteral(" and ignores the area")
                               : !s ? as + QStringLiteral(" and keeps the area that Chromium "
                                                          "ignores")
                                    : as);
    } else if (!same) {
        QStringList parts;
        for (qsizetype i = 0; i < s->size(); ++i) {
            if (double((*f)[i]) != (*s)[i])
                parts.append(items[i].isEmpty()
                                 ? QStringLiteral("an empty item as 0")
                                 : QStringLiteral("%1 as %2")
                                       .arg(QString::fromUtf8(items[i]), number(double((*f)[i]))));
        }
        out.differences.append(QStringLiteral("Firefox reads ") + parts.join(QStringLiteral(", ")));
    }
    if (s) {
        QStringList parts;
        for (double v : *s) {
            if (std::fabs(v) > chromiumLimit)
                parts.append(QStringLiteral("%1 as %2")
                                 .arg(number(v), number(std::copysign(chromiumLimit, v))));
        }
        if (!parts.isEmpty())
            out.differences.append(QStringLiteral("Chromium reads ") +
                                   parts.join(QStringLiteral(", ")));
    }
    return out;
}

} // namespace tavlo
