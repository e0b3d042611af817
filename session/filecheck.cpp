#include "session/filecheck.h"

#include "platform/pathops.h"
#include "platform/prompts.h"
#include "tavlofile/filekinds.h"

#include <QFileInfo>
#include <QStringList>

namespace tavlo {

const QString fileKindHint = QStringLiteral("Please make sure you are selecting an TAVL file,\r\n"
                                            "a TXT, HTM, HTML, SHTML or ASP file,\r\n"
                                            "or alternately, a GIF or JPG image.");

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
    const QString crlf = QStringLiteral("\r\n");
    switch (classifyFile(path)) {
    case FileCheck::Accepted:
        return true;
    case FileCheck::Missing:
        return false;
    case FileCheck::Directory:
        prompts.showMsg(QStringLiteral("No directories, please..."),
                        crlf + QStringLiteral("Tavlo will not open a directory."),
                        QStringLiteral("Not much else to say on that one."));
        return false;
    case FileCheck::Unrecognised:
        prompts.showMsg(QStringLiteral("We have a problem..."),
                        crlf + QStringLiteral("Tavlo does not recognize the filetype in:") + crlf +
                            crlf + path,
                        fileKindHint);
        return false;
    case FileCheck::CouldNotOpen:
        break;
    }
    prompts.showMsg(QStringLiteral("We have a problem..."),
                    crlf + QStringLiteral("Tavlo could not open:") + crlf + crlf + path,
                    fileKindHint);
    return false;
}

QString commandLinePath(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' '));
}

} // namespace tavlo
