#include "app/frmdelete.h"
#include "platform/association.h"
#include "platform/keystore.h"
#include "platform/rounding.h"
#include "session/cleanup.h"
#include "session/messages.h"
#include "support/layoutcheck.h"
#include "support/recordingprompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace tavlo;
using tavlo::test::RecordingPrompts;

namespace {

// A box's title and text as the catalogue has them.
QStringList boxOf(Message message)
{
    return {messageText(message).title, messageText(message).text};
}

// A key store, association folders and a main window of their own, under a temporary folder.
struct Setup {
    QTemporaryDir dir;
    KeyStore store{dir.filePath("store/registry.ini")};
    AssociationFolders folders{dir.filePath("data"), dir.filePath("config")};
    RecordingPrompts prompts;
    QWidget main;

    void registerAll(bool perUser)
    {
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), folders);
        if (perUser)
            store.createKey(RegRoot::CurrentUser,
                            QStringLiteral("Software\\Quillmore\\Tavlo\\User"));
    }
    int keysLeft() const
    {
        return int(std::count_if(tavloKeys.begin(), tavloKeys.end(), [this](const TavloKey& k) {
            return store.keyExists(k.root, k.path.toString());
        }));
    }
    bool associationFileLeft() const
    {
        QFile list(folders.configDir + "/mimeapps.list");
        return QFile::exists(folders.dataDir + "/mime/packages/tavlo.xml") ||
               QFile::exists(folders.dataDir + "/applications/tavlo.desktop") ||
               (list.open(QIODevice::ReadOnly) && list.readAll().contains("application/x-tavlo"));
    }
    // Shows a fresh window, presses its button and answers the question.
    void clickClear(MsgAnswer answer)
    {
        frmDelete window(&main, store, folders, prompts);
        window.show();
        prompts.boxAnswer = answer;
        QTest::mouseClick(window.findChild<QPushButton*>("cmdClearReg"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
    QList<QStringList> shown() const
    {
        QList<QStringList> boxes;
        for (const auto& box : prompts.shown)
            boxes << box.texts;
        return boxes;
    }
};

} // namespace

class TestFrmDelete : public QObject {
    Q_OBJECT

private slots:
    void clearButton_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<int>("earlierCleanups");
        QTest::newRow("yes, association") << MsgAnswer::Yes << false << 0;
        QTest::newRow("yes, association and per-user key") << MsgAnswer::Yes << true << 0;
        QTest::newRow("yes, second clean-up, nothing left") << MsgAnswer::Yes << false << 1;
        QTest::newRow("no deletes nothing") << MsgAnswer::No << true << 0;
    }

    void clearButton()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, perUser);
        QFETCH(int, earlierCleanups);
        Setup s;
        s.registerAll(perUser);
        const int registered = perUser ? 7 : 5;
        QCOMPARE(s.keysLeft(), registered);
        for (int i = 0; i < earlierCleanups; ++i)
            s.clickClear(MsgAnswer::Yes);
        s.prompts.shown.clear();

        s.clickClear(answer);
        const bool yes = answer == MsgAnswer::Yes;
        QCOMPARE(s.keysLeft(), yes ? 0 : registered);
        QCOMPARE(s.associationFileLeft(), !yes);
        QList<QStringList> expected{boxOf(Message::ClearRegistry)};
        if (yes)
            expected << boxOf(Message::RegistryCleared);
        QCOMPARE(s.shown(), expected);
        QCOMPARE(s.prompts.lastIcon, MsgIcon::None);
    }

    void leftoverIsNamed_data()
    {
        QTest::addColumn<QString>("leftover");
        QTest::addColumn<QString>("named");
        QTest::newRow("a subkey Tavlo does not know") << "subkey"
                                                      << "HKEY_CLASSES_ROOT\\Tavlo";
        QTest::newRow("mimeapps.list is a folder") << "folder"
                                                   << "/config/mimeapps.list";
    }

    void leftoverIsNamed()
    {
        QFETCH(QString, leftover);
        QFETCH(QString, named);
        Setup s;
        s.registerAll(false);
        if (leftover == "subkey") {
            s.store.createKey(RegRoot::ClassesRoot, QStringLiteral("Tavlo\\DefaultIcon"));
        } else {
            QFile::remove(s.folders.configDir + "/mimeapps.list");
            QVERIFY(QDir().mkpath(s.folders.configDir + "/mimeapps.list"));
        }
        s.clickClear(MsgAnswer::Yes);

        QCOMPARE(s.shown().size(), 2);
        QCOMPARE(s.shown()[1][0], messageText(Message::RegistryNotCleared).title);
        QCOMPARE(s.prompts.lastIcon, MsgIcon::Exclamation);
        const QString note = s.prompts.shown.at(1).texts.at(1);
        QVERIFY2(note.contains(named), qPrintable(note));
        QVERIFY2(!note.contains(".tavl"), qPrintable(note)); // what did go is not named
    }

    void look()
    {
        Setup s;
        frmDelete window(&s.main, s.store, s.folders, s.prompts);
        QCOMPARE(window.windowTitle(), "Delete Tavlo");
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(
            window.windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint));
        QVERIFY(!(window.windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!window.windowIcon().isNull());
        auto* button = window.findChild<QPushButton*>("cmdClearReg");
        QCOMPARE(button->text(), "Clear Tavlo Registry Entries");
        QVERIFY(button->isDefault());
        const QString about = window.findChild<QLabel*>("lblAbout")->text();
        QVERIFY2(about.contains("package manager") && about.contains("click the button below"),
                 qPrintable(about));
        QVERIFY(!about.contains('\r'));
        QCOMPARE(tavlo::test::layoutFault(&window), QString());
        // Along the bottom row the gradient grows from black to its last colour, never darker
        // to the right; white lines of its frame run down the left and along the top, clear
        // of the controls.
        const QImage image = window.grab().toImage();
        const int w = image.width(), h = image.height();
        QCOMPARE(image.pixelColor(0, h - 1), QColor(Qt::black));
        QCOMPARE(image.pixelColor(w - 1, h - 1),
                 gradLineColours(window.width() * twipsPerPixel, 0, 0, 0).constLast());
        QRect controls;
        for (const QWidget* control : window.findChildren<QWidget*>())
            controls |= control->geometry();
        bool row = false, column = false;
        for (int x = 1; x < w; ++x) {
            QVERIFY(image.pixelColor(x, h - 1).blue() >= image.pixelColor(x - 1, h - 1).blue());
            row |= x < controls.left() && image.pixelColor(x, h / 2) == Qt::white;
        }
        for (int y = 0; y < controls.top(); ++y)
            column |= image.pixelColor(w / 2, y) == Qt::white;
        QVERIFY(row && column);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("mainGeometry");
        QTest::newRow("wide main window") << QRect(300, 200, 800, 600);
        QTest::newRow("narrow, at the left edge: no correction") << QRect(0, 40, 300, 200);
    }

    void placement()
    {
        QFETCH(QRect, mainGeometry);
        Setup s;
        s.main.setGeometry(mainGeometry);
        s.main.show();
        frmDelete window(&s.main, s.store, s.folders, s.prompts);
        window.show();
        const QRect main = s.main.frameGeometry(), own = window.frameGeometry();
        QCOMPARE(own.top(), main.top());
        QCOMPARE(own.right(), main.right());
    }

    void closingHandsBackTheOwner()
    {
        Setup s;
        s.main.show();
        frmDelete window(&s.main, s.store, s.folders, s.prompts);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.close(); // the close box
        QVERIFY(!window.isVisible());
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.prompts.shown.isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(&s.main));
    }
};

QTEST_MAIN(TestFrmDelete)
#include "tst_frmdelete.moc"
