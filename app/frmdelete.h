#pragma once

#include "platform/association.h"

#include <QColor>
#include <QDialog>
#include <QList>

#include <memory>

class QPainter;

namespace Ui {
class frmDelete;
}

namespace tavlo {

class KeyStore;
class Prompts;

// Where DrawGrad's gradient begins, in twips; the window stays black to its left.
constexpr int gradStartX = 3000;

// The colours of DrawGrad's vertical lines, one for each whole x in twips from gradStartX
// to clientWidth, starting from curR, curG, curB. Empty when the window is narrower.
QList<QColor> gradLineColours(double clientWidth, double curR, double curG, double curB);

// "Uninstall help": explains how the program is removed and clears every entry it keeps
// in the key store and among the desktop's association files. While open it stays above
// all other windows, its top right corner on the owner's; closing gives the owner back
// the focus. Made fresh for each use and shown modally.
class frmDelete final : public QDialog {
    Q_OBJECT

public:
    frmDelete(QWidget* owner, KeyStore& store, AssociationFolders folders, Prompts& prompts);
    ~frmDelete() override;

    // Paints the window's background onto painter, in pixels of the client area.
    void DrawGrad(QPainter& painter, double curR, double curG, double curB) const;

    // Every way of closing ends here.
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeBesideOwner();
    void cmdClearReg_Click();

    std::unique_ptr<Ui::frmDelete> m_ui;
    KeyStore& m_store;
    AssociationFolders m_folders;
    Prompts& m_prompts;
};

} // namespace tavlo
