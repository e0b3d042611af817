#pragma once

#include "editor/frmmap.h"

#include <QStringList>

#include <memory>

class QApplication;

namespace tavlo {

struct AssociationFolders;
class InstanceLock;
class KeyStore;

// The start-up steps up to the running main window: refuses a second copy (the lock is
// held by the caller for the whole run), writes the file association, shows the main
// window and opens the file named on the command line. arguments are the program's own
// arguments, without its name; environment.prompts, when set, also answers the note about
// a second copy. Null when the program is to end at once; the association is then written
// already. Otherwise the association, then the named file, follow when events are next
// processed (store must live until then); the window is shown before either.
std::unique_ptr<frmMap> startUp(InstanceLock& lock, KeyStore& store,
                                const AssociationFolders& folders, const QStringList& arguments,
                                const MapEnvironment& environment = {});

// The program from start to end.
int Main(QApplication& app, const QStringList& arguments);

} // namespace tavlo
