#include "editor/startup.h"
#include "platform/association.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "session/filecheck.h"
#include "session/messages.h"
#include "support/files.h"
#include "support/fixedscreen.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "tavlofile/filekinds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavlo;
using namespace tavlo::test;

class tst_Startup : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_pipe = -1;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        for (const char* name :
             {"page.SHTML", "menu.asp", "PHOTO.JPG", "photo.jpeg", "tavl", "map.tavl", "notes.txt",
              "pic.gif", "pic.PNG", "A.b", "100%1 %2.png", "site.htm", "locked.gif"})
            writeAll(path(QString::fromLatin1(name)), {});
        QVERIFY(QFile::setPermissions(path("locked.gif"), QFileDevice::WriteOwner));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.gif")));

        // A saved map and a page that holds it, their picture beside them in images/.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("maps/images")));
        savePicture(path("maps/images/logo.jpg"), {120, 60});
        for (const auto& [from, to] : {std::pair{"logo.tavl", "maps/my map.tavl"},
                                       std::pair{"logo.htm", "maps/page.SHTML"}}) {
            const QByteArray text =
                sourceFile(QStringLiteral("tests/golden/") + from).replace("logo.gif", "logo.jpg");
            QVERIFY(text.contains("logo.jpg"));
            writeAll(path(to), text);
        }
        // Held open for reading and writing, so that a check that opens the pipe is not
        // stuck but wrongly lets it through.
        QVERIFY(mkfifo(QFile::encodeName(path("pipe.gif")).constData(), 0600) == 0);
        m_pipe = ::open(QFile::encodeName(path("pipe.gif")).constData(), O_RDWR | O_NONBLOCK);
        QVERIFY(m_pipe >= 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path(QStringLiteral("device.gif"))));
    }

    void cleanupTestCase() { ::close(m_pipe); }

    // Each name in the test folder: its extension key, the kind the editor makes of it, and
    // whether checkFile lets it through or which message it shows.
    void checkFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<int>("message"); // accepted, silent (the file is refused) or a Message
        const auto row = [](const char* name, const char* key, FileKind kind, int message) {
            QTest::newRow(name) << QString(name) << QString(key) << kind << message;
        };
        const FileKind text = FileKind::Text, image = FileKind::Image, refused = FileKind::Refused;
        const int accepted = -1, silent = -2;
        const int unrecognised = int(Message::FiletypeUnrecognised);
        const int couldNotOpen = int(Message::CouldNotOpen);
        row("page.SHTML", "html", text, accepted);
        row("site.htm", ".htm", text, accepted);
        row("menu.asp", ".asp", text, accepted);
        row("notes.txt", ".txt", text, accepted);
        for (const char* name : {"map.tavl", "tavl"})
            row(name, "tavl", text, accepted);
        row("PHOTO.JPG", ".jpg", image, accepted);
        row("pic.gif", ".gif", image, accepted);
        // Pictures the size reader knows and the decoder could show, still refused.
        row("photo.jpeg", "jpeg", refused, unrecognised);
        row("pic.PNG", ".png", refused, unrecognised);
        row("A.b", "a.b", refused, unrecognised);
        row("100%1 %2.png", ".png", refused, unrecognised); // percent signs in the name
        row("missing.gif", ".gif", image, silent);
        row("\"pic.gif\"", "gif\"", refused, silent); // quoted
        row("folder.gif", ".gif", image, int(Message::Directory));
        for (const char* name : {"pipe.gif", "device.gif", "locked.gif"})
            row(name, ".gif", image, couldNotOpen);
    }

    void checkFile()
    {
        QFETCH(QString, name);
        QFETCH(int, message);
        if (name == u"locked.gif" && geteuid() == 0)
            QSKIP("root reads every file");
        const QString full = path(name);
        QTEST(extensionKey(name), "key");
        QTEST(editorKind(extensionKey(name)), "kind");
        RecordingPrompts prompts;
        QCOMPARE(tavlo::checkFile(full, prompts), message == -1);
        QCOMPARE(prompts.shown.size(), message < 0 ? 0 : 1);
        if (message >= 0) {
            const MessageText t = filledIn({Message(message), {full}});
            QCOMPARE(prompts.shown[0].kind, QStringLiteral("msg"));
            QCOMPARE(prompts.shown[0].texts, QStringList({t.title, t.text, t.detail}));
            // The path stands as it is, whatever it holds.
            QVERIFY(message == int(Message::Directory) || t.text.endsWith("\r\n" + full));
        }
    }

    void startUp_data()
    {
        QTest::addColumn<QStringList>("arguments"); // relative to the test folder
        QTest::addColumn<bool>("secondCopy");
        QTest::addColumn<bool>("runs");     // the main window is shown and the program goes on
        QTest::addColumn<QString>("shown"); // the kind of the one prompt shown, or empty
        QTest::addColumn<int>("areas");
        QTest::addColumn<bool>("pageOpen");
        QTest::addColumn<QString>("imgPath"); // relative; empty: the splash picture
        const auto row = [](const char* name, const QStringList& arguments, bool secondCopy,
                            bool runs, const char* shown, int areas = 0, bool pageOpen = false,
                            const char* imgPath = "") {
            QTest::newRow(name) << arguments << secondCopy << runs << QString(shown) << areas
                                << pageOpen << QString(imgPath);
        };
        const char* logo = "maps/images/logo.jpg";
        row("nothing named", {}, false, true, "");
        row("second copy", {}, true, false, "box");
        row("second copy with a file", {"pic.gif"}, true, false, "box");
        // The shell split the name at its blank; it is joined again.
        row("map file opens as text", {"maps/my", "map.tavl"}, false, true, "", 3, false, logo);
        row("page opens as text", {"maps/page.SHTML"}, false, true, "", 3, true, logo);
        row("picture", {logo}, false, true, "", 0, false, logo);
        row("folder refused", {"folder.gif"}, false, false, "msg");
        row("quoted name ends silently", {"\"pic.gif\""}, false, false, "");
    }

    void startUp()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, secondCopy);
        QFETCH(bool, runs);
        QFETCH(int, areas);
        QFETCH(QString, imgPath);
        QTemporaryDir home;
        const QString lockPath = home.filePath("tavlo.lock");
        InstanceLock running(lockPath);
        if (secondCopy)
            QVERIFY(running.tryAcquire());
        const QByteArray before = "[HKEY_CLASSES_ROOT]\n.tavl=Other\n";
        writeAll(home.filePath("registry.ini"), before);
        KeyStore store(home.filePath("registry.ini"));
        const AssociationFolders folders{home.filePath("data"), home.filePath("config")};
        if (!arguments.isEmpty())
            arguments.first() = path(arguments.first());

        RecordingPrompts prompts;
        RecordingPause pause;
        FixedScreen screen(QSize(1280, 1024));
        InstanceLock lock(lockPath);
        const auto window = tavlo::startUp(lock, store, folders, arguments,
                                           MapEnvironment{&prompts, nullptr, &pause, &screen});

        QCOMPARE(bool(window), runs);
        QTEST(prompts.shown.isEmpty() ? QString() : prompts.shown.first().kind, "shown");
        QVERIFY(prompts.shown.size() <= 1);
        if (secondCopy) {
            QCOMPARE(prompts.shown.first().texts[1], messageText(Message::AlreadyRunning).text);
            QCOMPARE(prompts.lastIcon, MsgIcon::Exclamation);
            QCOMPARE(readAll(store.path()), before);
            QVERIFY(!QFile::exists(folders.dataDir));
            return;
        }
        // Written at every start, whether or not the file is refused.
        if (runs)
            QCoreApplication::processEvents();
        QVERIFY(readAll(store.path()).contains("\n.tavl=Tavlo\n"));
        if (!runs)
            return;
        QVERIFY(window->isVisible());
        // The window's own pictures are in place: its icon and the strip's buttons.
        QVERIFY(!window->windowIcon().isNull());
        for (const QToolButton* button : window->findChildren<QToolButton*>())
            QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        QCOMPARE(window->document().areaList().size(), areas);
        QTEST(window->session().pageOpen(), "pageOpen");
        QCOMPARE(window->imageLoaded(), !imgPath.isEmpty());
        if (!imgPath.isEmpty())
            QCOMPARE(window->imgPath(), path(imgPath));
        // The map is rebuilt area by area.
        QCOMPARE(pause.pauses.size(), areas);
    }

    void pathOperations()
    {
        QCOMPARE(folderOf("/web/img/logo.gif"), QStringLiteral("/web/img/"));
        QCOMPARE(folderOf("logo.gif"), QString());
        for (const char* name :
             {"/pics/logo.gif", "C:\\pics\\logo.gif", "C:/pics\\x/logo.gif", "logo.gif"})
            QCOMPARE(fileTitle(name), QStringLiteral("logo.gif"));
        QVERIFY(homeFolder().endsWith('/'));
        QVERIFY(!fileExists(m_dir.path()));
        QVERIFY(!fileExists(QString()));
        QVERIFY(fileExists(path(QStringLiteral("pic.gif"))));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
