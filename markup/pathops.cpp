#include "markup/pathops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavlo {

bool fileExists(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString stripNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString fileTitle(const QString& path)
{
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0)
        cut = path.lastIndexOf(QLatin1Char('\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString extensionKey(const QString& path)
{
    return path.right(4).toLower();
}

bool isTextKind(const QString& key)
{
    return key == u"html" || key == u".htm" || key == u".asp" || key == u".txt" || key == u"tavl";
}

bool isImageKind(const QString& key)
{
    return key == u".jpg" || key == u".gif";
}

QString homeFolder()
{
    return QDir::homePath() + QLatin1Char('/');
}

} // namespace tavlo
