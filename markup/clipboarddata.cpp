#include "markup/clipboarddata.h"

#include <QMimeData>
#include <QStringDecoder>

namespace tavlo {

namespace {

// 0x80 to 0x9F; the five bytes the code page leaves undefined stay their C1 controls.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8(bytes);
    return !utf8.hasError();
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = b >= 0x80 && b < 0xA0 ? QChar(windows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

std::unique_ptr<QMimeData> clipboardData(const QByteArray& block)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("text/plain"), block);
    data->setData(QStringLiteral("text/plain;charset=utf-8"),
                  isUtf8(block) ? block : fromWindows1252(block).toUtf8());
    return data;
}

} // namespace tavlo
