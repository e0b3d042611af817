#pragma once

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

// The dialog for isOpen / kind (open: 0 File > Open, 1 a page's image; save: the
// index of the save menu entry), starting in the folder of imgPath.
DialogSetup fileDialogSetup(bool isOpen, int kind, const QString& imgPath);

// Asks the user for a file. Tests answer at once.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or "" when cancelled or refused.
    virtual QString showFileDialog(bool isOpen, int kind, const QString& imgPath) = 0;
};

} // namespace tavlo
