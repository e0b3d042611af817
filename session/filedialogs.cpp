#include "session/filedialogs.h"

#include "platform/pathops.h"

namespace tavlo {

namespace {

QStringList openFilters(FileDialogFor dialog)
{
    const QString image = QStringLiteral("Image (*.jpg *.gif)");
    if (dialog == FileDialogFor::FindPicture)
        return {image};
    return {image, QStringLiteral("TAVL file (*.tavl)"),
            QStringLiteral("Edit a map in HTML or TEXT (*.htm *.html *.shtml *.asp *.txt)")};
}

QStringList saveFilters(FileDialogFor dialog)
{
    switch (dialog) {
    case FileDialogFor::SaveTavl:
        return {QStringLiteral("Save As an TAVL (*.tavl)")};
    case FileDialogFor::SaveText:
        // The dialog takes the patterns from the last parentheses: the text shows "(*.*)"
        // while only *.txt files are listed.
        return {QStringLiteral("Save As TEXT  (*.*) (*.txt)")};
    default:
        return {QStringLiteral("Save As HTML  (*.htm)")};
    }
}

} // namespace

FileDialogFor saveDialogFor(SaveKind kind)
{
    return FileDialogFor(int(FileDialogFor::SaveTavl) + int(kind));
}

bool opensFile(FileDialogFor dialog)
{
    return dialog == FileDialogFor::OpenFile || dialog == FileDialogFor::FindPicture;
}

DialogSetup fileDialogSetup(FileDialogFor dialog, const QString& imgPath)
{
    const bool isOpen = opensFile(dialog);
    DialogSetup setup;
    setup.save = !isOpen;
    setup.title = isOpen ? QStringLiteral("Open File...") : QStringLiteral("Save File As...");
    setup.filters = isOpen ? openFilters(dialog) : saveFilters(dialog);
    setup.hidePatterns = dialog == FileDialogFor::SaveText;
    // A name typed without an extension gets the one of the kind being saved: a page
    // saved as "index" becomes index.htm, not index.tavl.
    static const char* const suffixes[] = {"jpg", "jpg", "tavl", "htm", "txt", "htm"};
    setup.defaultSuffix = QString::fromLatin1(suffixes[int(dialog)]);
    setup.folder = imgPath == homeFolder() ? homeFolder() : folderOf(imgPath);
    return setup;
}

} // namespace tavlo
