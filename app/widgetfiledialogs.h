#pragma once

#include "session/filedialogs.h"

class QWidget;

namespace tavlo {

class Prompts;

// The open and save dialogs of the desktop, owned by the main window.
class WidgetFileDialogs final : public FileDialogs {
public:
    WidgetFileDialogs(QWidget* owner, Prompts& prompts);
    QString showFileDialog(FileDialogFor dialog, const QString& imgPath) override;

private:
    QWidget* m_owner;
    Prompts& m_prompts;
};

} // namespace tavlo
