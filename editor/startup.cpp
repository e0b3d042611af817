#include "editor/startup.h"

#include "app/widgetprompts.h"
#include "editor/windowpictures.h"
#include "platform/association.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "session/filecheck.h"
#include "session/messages.h"
#include "tavlofile/filekinds.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>

#include <thread>

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

    // The association's files and the desktop's caches, and the named file, wait until
    // the window is on the screen: the user sees the window as soon as it can be shown.
    const auto writeAssociation = [&store, folders] {
        regAssoc(store, QCoreApplication::applicationFilePath(), folders);
    };
    // The window's pictures and the font database are made ready on a thread of its own
    // while the window is built, which needs the pictures after its layout and the fonts
    // only when it is sized. Qt guards the font database with a lock.
    const std::jthread ahead([] {
        (void)windowPictures();
        QFontDatabase::families();
    });
    const QString path = commandLinePath(arguments);
    auto window = std::make_unique<frmMap>(environment);
    if (path.isEmpty()) {
        window->show();
        QTimer::singleShot(0, window.get(), writeAssociation);
        return window;
    }
    // The main window owns the messages about the file, shown or not.
    if (!checkFile(path, window->prompts())) {
        writeAssociation();
        return nullptr;
    }
    window->show();
    frmMap* shown = window.get();
    QTimer::singleShot(0, shown, [writeAssociation, shown, path] {
        writeAssociation();
        const QString key = extensionKey(path);
        if (editorKind(key) == FileKind::Text)
            shown->txtSpecs(path, key);
        else
            shown->imgSpecs(path);
    });
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
