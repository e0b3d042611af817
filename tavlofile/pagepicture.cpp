#include "tavlofile/pagepicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace tavlo {

QString picturePath(const QByteArray& src, const QString& pageFile, const QString& siteRoot)
{
    QByteArray path = src.trimmed();
    const qsizetype cut = [&] {
        const qsizetype q = path.indexOf('?');
        const qsizetype h = path.indexOf('#');
        return q < 0 ? h : h < 0 ? q : std::min(q, h);
    }();
    if (cut >= 0)
        path.truncate(cut);
    if (path.isEmpty() || path.startsWith("//"))
        return {};
    const bool fileUrl = path.startsWith("file:");
    if (fileUrl)
        path = path.mid(path.startsWith("file://") ? 7 : 5);
    else if (const qsizetype colon = path.indexOf(':'); colon > 0 && path.indexOf('/') > colon)
        return {}; // a scheme: http:, https:, data:...
    else if (colon > 0 && path.indexOf('/') < 0)
        return {};
    const QString name = QFile::decodeName(QByteArray::fromPercentEncoding(path));
    if (QDir::isAbsolutePath(name))
        return QDir::cleanPath(fileUrl || siteRoot.isEmpty() || !name.startsWith(QLatin1Char('/'))
                                   ? name
                                   : QDir(siteRoot).absolutePath() + name);
    return QDir::cleanPath(QFileInfo(pageFile).absoluteDir().filePath(name));
}

} // namespace tavlo
