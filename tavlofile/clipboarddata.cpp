#include "tavlofile/clipboarddata.h"

#include "platform/utf8text.h"

#include <QMimeData>

namespace tavlo {

std::unique_ptr<QMimeData> clipboardData(const QByteArray& block)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("text/plain"), block);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), utf8Of(block));
    return data;
}

} // namespace tavlo
