#include "support/fakeforeignpage.h"

#include <QHash>

namespace tavlo {

namespace {

QHash<QByteArray, ForeignPage>& registered()
{
    static QHash<QByteArray, ForeignPage> pages;
    return pages;
}

} // namespace

void test::registerForeignPage(const QByteArray& bytes, const ForeignPage& page)
{
    registered().insert(bytes, page);
}

ForeignPage readForeignPage(const QByteArray& page)
{
    return registered().value(page);
}

} // namespace tavlo
