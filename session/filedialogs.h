#pragma once

#include "tavlofile/markupwriter.h"

#include <QString>
#include <QStringList>

namespace tavlo {

// What one open or save dialog shows: title, filters ("Image (*.jpg *.gif)"), the
// folder it starts in, the suffix a typed name without one gets.
struct DialogSetup {
    QString title;
    QStringList filters;
    QString folder;
    QString defaultSuffix;
    bool save = false;
    // Show only the descriptions, not the patterns the dialog reads from them.
    bool hidePatterns = false;
};

// What a file dialog is for: File > Open, the picture a map names, or one of the saves
// (in the order of SaveKind).
enum class FileDialogFor { OpenFile, FindPicture, SaveTavl, SaveHtml, SaveText, SaveOriginalPage };

[[nodiscard]] FileDialogFor saveDialogFor(SaveKind kind);
[[nodiscard]] bool opensFile(FileDialogFor dialog);

// The dialog, starting in the folder of imgPath.
DialogSetup fileDialogSetup(FileDialogFor dialog, const QString& imgPath);

// Asks the user for a file. Tests answer at once.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or "" when cancelled or refused.
    virtual QString showFileDialog(FileDialogFor dialog, const QString& imgPath) = 0;
};

} // namespace tavlo
