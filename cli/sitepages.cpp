#include "cli/sitepages.h"

#include "tavlofile/filekinds.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

namespace {

bool inside(const QString& canonical, const QString& root)
{
    return canonical == root || canonical.startsWith(root + QLatin1Char('/')) ||
           root == QLatin1String("/");
}

void collect(const QString& folder, const QString& root, QStringList& pages)
{
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QStringList subfolders;
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() && !inside(entry.canonicalFilePath(), root))
            continue;
        const QString name = folder + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            // A link back into the folder would walk it twice, or for ever.
            if (!entry.isSymLink())
                subfolders.append(name);
        } else if (isPageName(entry.fileName())) {
            pages.append(name);
        }
    }
    for (const QString& sub : subfolders)
        collect(sub, root, pages);
}

} // namespace

QStringList pagesUnder(const QString& folder)
{
    QStringList pages;
    QString start = folder;
    while (start.size() > 1 && start.endsWith(QLatin1Char('/')))
        start.chop(1);
    collect(start, QFileInfo(start).canonicalFilePath(), pages);
    return pages;
}

} // namespace tavlo
