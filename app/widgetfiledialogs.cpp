#include "app/widgetfiledialogs.h"

#include "platform/pathops.h"
#include "session/messages.h"

#include <QFileDialog>
#include <QPointer>

namespace tavlo {

WidgetFileDialogs::WidgetFileDialogs(QWidget* owner, Prompts& prompts)
    : m_owner(owner)
    , m_prompts(prompts)
{}

QString WidgetFileDialogs::showFileDialog(FileDialogFor dialogFor, const QString& imgPath)
{
    const DialogSetup setup = fileDialogSetup(dialogFor, imgPath);
    // A QPointer, because the owner may go away while the dialog waits and take it along.
    QPointer<QFileDialog> dialog = new QFileDialog(m_owner, setup.title, setup.folder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails, setup.hidePatterns);
    dialog->setNameFilters(setup.filters);
    dialog->setDefaultSuffix(setup.defaultSuffix);
    dialog->setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog that refused missing names itself would never let the program's own
    // "isn't there" note be seen.
    dialog->setFileMode(QFileDialog::AnyFile);

    const bool chosen = dialog->exec() == QDialog::Accepted && dialog;
    const QStringList files = chosen ? dialog->selectedFiles() : QStringList();
    delete dialog;
    if (files.isEmpty())
        return {};

    const QString path = files.first().trimmed();
    if (setup.save || fileExists(path))
        return path;
    tell(m_prompts, {Message::OpenError, {}});
    return {};
}

} // namespace tavlo
