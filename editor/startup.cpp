#include "editor/startup.h"

#include "app/widgetprompts.h"
#include "platform/association.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "session/filecheck.h"
#include "session/messages.h"
#include "tavlofile/filekinds.h"

#include <QApplication>

namespace tavlo {

std::unique_ptr<frmMap> startUp(InstanceLock& lock, KeyStore& store,
                                const AssociationFolders& folders, const QStringList& arguments,
                                const MapEnvironment& environment)
{
    if (!lock.tryAcquire()) {
        WidgetPrompts ownPrompts(nullptr);
        Prompts& prompts = environment.prompts ? *environment.prompts : ownPrompts;
        tell(prompts, {Message::AlreadyRunning, {}});
        return nullptr;
    }

    regAssoc(store, QCoreApplication::applicationFilePath(), folders);

    const QString path = commandLinePath(arguments);
    auto window = std::make_unique<frmMap>(environment);
    if (path.isEmpty()) {
        window->show();
        return window;
    }
    // The main window owns the messages about the file, shown or not.
    if (!checkFile(path, window->prompts()))
        return nullptr;
    window->show();
    const QString key = extensionKey(path);
    if (editorKind(key) == FileKind::Text)
        window->txtSpecs(path, key);
    else
        window->imgSpecs(path);
    return window;
}

int Main(QApplication& app, const QStringList& arguments)
{
    InstanceLock lock;
    KeyStore store;
    const auto window = startUp(lock, store, AssociationFolders::standard(), arguments);
    return window ? app.exec() : 0;
}

} // namespace tavlo
