#include "markup/filewrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tavlo {

QString writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("Is a folder");
    // QSaveFile writes a temporary file beside the target, gives it the target's
    // permissions and renames it over the target only on commit(); anything that fails
    // before then leaves the target as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace tavlo
