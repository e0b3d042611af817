#include "tavlofile/markupwriter.h"

#include <QFileInfo>
#include <QUrl>

namespace tavlo {

const QByteArray crlf = QByteArrayLiteral("\r\n");
const QByteArray startMarker = QByteArrayLiteral("<!-- Tavlo start, DO NOT EDIT until after \"end "
                                                 "Tavlo\" comment, if you want to later edit. -->");
const QByteArray endMarker = QByteArrayLiteral("<!-- end Tavlo, safe to edit AFTER this line. -->");
// The URL must hold none of the attribute names the reader scans the map for.
const QByteArray creditComment = QByteArrayLiteral(
    "<!-- Image map made with Tavlo, the image map editor: https://tavlo.example/ -->");
const QByteArray savedImageFolder = QByteArrayLiteral("images/");
const QByteArray pageHead =
    QByteArrayLiteral("<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n");
const QByteArray pageTail = QByteArrayLiteral("</BODY>\r\n</HTML>");

QByteArray srcEncoded(QByteArrayView name)
{
    QByteArray out;
    out.reserve(name.size());
    for (char c : name) {
        switch (c) {
        case '#':
            out += "%23";
            break;
        case '%':
            out += "%25";
            break;
        case '?':
            out += "%3F";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray mapNameOf(const QByteArray& fname)
{
    return fname.left(std::max<qsizetype>(0, fname.size() - 4));
}

ImageMarkup imageMarkup(const QByteArray& fname, int width, int height)
{
    const QByteArray name = escapeValue(mapNameOf(fname));
    ImageMarkup m;
    m.imgTag = escapeValue(srcEncoded(fname)) + "\" width=" + QByteArray::number(width) +
               " height=" + QByteArray::number(height) + " border=0 USEMAP=\"#" + name + "\">";
    m.mapTag = creditComment + crlf + "<MAP NAME=\"" + name + "\">";
    return m;
}

QByteArray mapBlock(const QByteArray& folder, const ImageMarkup& image,
                    const QList<QByteArray>& areaList)
{
    qsizetype size = startMarker.size() + folder.size() + image.imgTag.size() +
                     image.mapTag.size() + endMarker.size() + 64;
    for (const QByteArray& record : areaList)
        size += record.size() + 4;

    QByteArray block;
    block.reserve(size);
    block += startMarker + crlf;
    block += "<img src=\"" + escapeValue(folder) + image.imgTag + crlf;
    block += crlf;
    block += image.mapTag + crlf;
    for (const QByteArray& record : areaList) {
        block += record;
        block += "\">";
        block += crlf;
    }
    block += "</MAP>" + crlf;
    block += endMarker;
    return block;
}

QByteArray previewMapBlock(const QString& imgPath, const ImageMarkup& image,
                           const QList<QByteArray>& areaList)
{
    const QByteArray url =
        QUrl::fromLocalFile(QFileInfo(imgPath).absoluteFilePath()).toEncoded(QUrl::FullyEncoded);
    const qsizetype cut = url.lastIndexOf('/') + 1;
    // The tag's file name ends at its closing quote: a quote inside it is escaped.
    ImageMarkup shown = image;
    shown.imgTag = url.mid(cut) + image.imgTag.mid(image.imgTag.indexOf('"'));
    return mapBlock(url.left(cut), shown, areaList);
}

QByteArray htmlPageText(const QByteArray& block)
{
    return pageHead + block + crlf + pageTail;
}

QByteArray fileText(SaveKind kind, const QByteArray& block, const QByteArray& htmlTop,
                    const QByteArray& htmlBot)
{
    switch (kind) {
    case SaveKind::Html:
        return htmlPageText(block) + crlf;
    case SaveKind::OriginalPage: {
        // A page may be tens of megabytes: one buffer, filled once.
        QByteArray text;
        text.reserve(htmlTop.size() + block.size() + htmlBot.size() + crlf.size());
        text += htmlTop;
        text += block;
        text += htmlBot;
        text += crlf;
        return text;
    }
    case SaveKind::Tavl:
    case SaveKind::Text:
        break;
    }
    return block + crlf;
}

} // namespace tavlo
