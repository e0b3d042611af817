#include "session/filedialogs.h"

#include <algorithm>

#include "platform/pathops.h"

namespace tavlo {

namespace {

QStringList openFilters(int kind)
{
    const QString image = QStringLiteral("Image (*.jpg *.gif)");
    if (kind == 1)
        return {image};
    return {image, QStringLiteral("TAVL file (*.tavl)"),
            QStringLiteral("Edit a map in HTML or TEXT (*.htm *.html *.shtml *.asp *.txt)")};
}

QStringList saveFilters(int kind)
{
    switch (kind) {
    case 0:
        return {QStringLiteral("Save As an TAVL (*.tavl)")};
    case 2:
        // The dialog takes the patterns from the last parentheses: the text shows "(*.*)"
        // while only *.txt files are listed.
        return {QStringLiteral("Save As TEXT  (*.*) (*.txt)")};
    default:
        return {QStringLiteral("Save As HTML  (*.htm)")};
    }
}

} // namespace

DialogSetup fileDialogSetup(bool isOpen, int kind, const QString& imgPath)
{
    DialogSetup setup;
    setup.save = !isOpen;
    setup.title = isOpen ? QStringLiteral("Open File...") : QStringLiteral("Save File As...");
    setup.filters = isOpen ? openFilters(kind) : saveFilters(kind);
    setup.hidePatterns = !isOpen && kind == 2;
    // A name typed without an extension gets the one of the kind being saved: a page
    // saved as "index" becomes index.htm, not index.tavl.
    static const char* const saveSuffixes[] = {"tavl", "htm", "txt", "htm"};
    setup.defaultSuffix =
        isOpen ? QStringLiteral("jpg") : QString::fromLatin1(saveSuffixes[std::clamp(kind, 0, 3)]);
    setup.folder = imgPath == homeFolder() ? homeFolder() : folderOf(imgPath);
    return setup;
}

} // namespace tavlo
