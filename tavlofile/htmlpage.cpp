#include "tavlofile/htmlpage.h"

#include "platform/pathops.h"
#include "tavlofile/markupwriter.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace tavlo {

namespace {

// The markers are found by their beginnings; the end marker must then stand whole.
constexpr QByteArrayView startMarkerHead("<!-- Tavlo start");
constexpr QByteArrayView endMarkerHead("<!-- end Tavlo");
constexpr QByteArrayView imageTagHead("<img src=\"");

} // namespace

ChtmlPage::Split ChtmlPage::parsePage(const QByteArray& page, const QString& fName)
{
    m_pageFile = fName;
    m_htmlTop.clear();
    m_htmlMap.clear();
    m_htmlBot.clear();

    const qsizetype start = page.indexOf(startMarkerHead);
    if (start < 0)
        return Split::NoStartMarker;
    m_htmlTop = page.first(start);

    const qsizetype end = page.indexOf(endMarkerHead, start + startMarkerHead.size());
    if (end < 0)
        return Split::NoEndMarker;

    // Cutting a marker's length after an edited one would hand the user's own text
    // after it to the map, and a save would drop it.
    if (!page.sliced(end).startsWith(endMarker)) {
        m_htmlMap = page.sliced(start);
        return Split::EndMarkerAltered;
    }
    const qsizetype cut = end + endMarker.size();
    m_htmlMap = page.sliced(start, cut - start);
    m_htmlBot = page.sliced(cut);
    return Split::Done;
}

QByteArray ChtmlPage::imageSrcBytes() const
{
    const qsizetype tag = m_htmlMap.indexOf(imageTagHead);
    if (tag < 0)
        return {};
    const qsizetype start = tag + imageTagHead.size();
    const qsizetype end = m_htmlMap.indexOf('"', start);
    if (end < 0)
        return {};
    return unescapeValue(QByteArrayView(m_htmlMap).sliced(start, end - start));
}

QString ChtmlPage::imageSrc() const
{
    return QFile::decodeName(imageSrcBytes());
}

QString ChtmlPage::resolveImage() const
{
    const QByteArray src = imageSrcBytes();
    if (src.isEmpty())
        return {};
    // Older releases wrote the name's bytes as they are, "%" included: the name as
    // written is tried first, so that every map that opened before opens the same.
    QStringList names{QFile::decodeName(src)};
    if (const QByteArray decoded = QByteArray::fromPercentEncoding(src); decoded != src)
        names.append(QFile::decodeName(decoded));
    for (const QString& name : names) {
        if (QDir::isAbsolutePath(name) && fileExists(name))
            return name;
        // Tried by name rather than through the current directory, which stays as it is.
        const QString full = folderOf(m_pageFile) + name;
        if (fileExists(full))
            return full;
    }
    return {};
}

} // namespace tavlo
