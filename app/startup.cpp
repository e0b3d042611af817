#include "app/startup.h"

#include "app/modbase.h"
#include "app/prompts.h"
#include "editor/frmmap.h"
#include "markup/filekinds.h"
#include "markup/pathops.h"
#include "platform/association.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"

#include <QApplication>
#include <QMessageBox>

namespace tavlo {

int Main(QApplication& app, const QStringList& arguments)
{
    InstanceLock lock;
    if (!lock.tryAcquire()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavlo Note"),
                        QStringLiteral("Tavlo already in use..."), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    KeyStore store;
    regAssoc(store, QCoreApplication::applicationFilePath(), AssociationFolders::standard());

    const QString path = commandLinePath(arguments);
    frmMap window;
    if (path.isEmpty()) {
        window.show();
        return app.exec();
    }
    // The main window owns the messages about the file, shown or not.
    if (!checkFile(path, window.prompts()))
        return 0;
    window.show();
    const QString key = extensionKey(path);
    if (editorKind(key) == FileKind::Text)
        window.txtSpecs(path, key);
    else
        window.imgSpecs(path);
    return app.exec();
}

} // namespace tavlo
