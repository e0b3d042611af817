#include "platform/pathops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavlo {

bool isPlainFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool fileExists(const QString& path)
{
    if (!isPlainFile(path))
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

FileBytes readWholeFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return {{}, QStringLiteral("Tavlo reads plain files only, not pipes or devices.")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    FileBytes read{file.readAll(), {}};
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return read;
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
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

QString homeFolder()
{
    return QDir::homePath() + QLatin1Char('/');
}

} // namespace tavlo
