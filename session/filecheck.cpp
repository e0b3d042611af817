#include "session/filecheck.h"

#include "platform/pathops.h"
#include "session/messages.h"
#include "tavlofile/filekinds.h"

#include <QFileInfo>
#include <QStringList>

namespace tavlo {

FileCheck classifyFile(const QString& path)
{
    // A folder is named as such before the readability test, which it would fail
    // silently: the user who dropped one is told why nothing opens. A pipe or a device
    // exists but is no file to open.
    const QFileInfo info(path);
    if (info.isDir())
        return FileCheck::Directory;
    if (!fileExists(path))
        return info.exists() ? FileCheck::CouldNotOpen : FileCheck::Missing;
    if (editorKind(extensionKey(path)) != FileKind::Refused)
        return FileCheck::Accepted;
    return FileCheck::Unrecognised;
}

bool checkFile(const QString& path, Prompts& prompts)
{
    switch (classifyFile(path)) {
    case FileCheck::Accepted:
        return true;
    case FileCheck::Missing:
        return false;
    case FileCheck::Directory:
        tell(prompts, {Message::Directory, {}});
        return false;
    case FileCheck::Unrecognised:
        tell(prompts, {Message::FiletypeUnrecognised, {path}});
        return false;
    case FileCheck::CouldNotOpen:
        break;
    }
    tell(prompts, {Message::CouldNotOpen, {path}});
    return false;
}

QString commandLinePath(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' '));
}

} // namespace tavlo
