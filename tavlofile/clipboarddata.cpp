#include "tavlofile/clipboarddata.h"

#include "platform/utf8text.h"

#include <QMimeData>

namespace tavlo {

std::unique_ptr<QMimeData> clipboardData(const QByteArray& block)
{
    // On X11, Qt serves "text/plain" as UTF8_STRING and, read as UTF-8 and put into
    // Latin-1, as STRING: it must be UTF-8 for every target to carry the same text.
    const QByteArray text = utf8Of(block);
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("text/plain"), text);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), text);
    return data;
}

} // namespace tavlo
