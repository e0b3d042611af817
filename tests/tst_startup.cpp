#include "app/modbase.h"
#include "editor/startup.h"
#include "markup/filekinds.h"
#include "markup/pathops.h"
#include "platform/association.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"
#include "platform/screeninfo.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavlo;
using tavlo::test::RecordingPause;
using tavlo::test::RecordingPrompts;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void extensionKeys_data();
    void extensionKeys();
    void kindTableIsOneEntryAKey();
    void checkFile_data();
    void checkFile();
    void unreadableFileIsNamed();
    void startUp_data();
    void startUp();
    void pathOperations();

private:
    QTemporaryDir m_dir;
    int m_pipe = -1;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void tst_Startup::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char* name : {"page.SHTML", "menu.asp", "PHOTO.JPG", "photo.jpeg", "tavl",
                             "map.tavl", "notes.txt", "pic.gif", "pic.png", "site.htm", "x.Html"}) {
        QFile f(path(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.gif")));

    // A saved map and a page that holds it, their picture beside them in images/.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("maps/images")));
    QImage picture(120, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(path("maps/images/logo.jpg"), "JPG"));
    const QString golden = qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/tests/golden/";
    for (const auto& [from, to] :
         {std::pair{"logo.tavl", "maps/my map.tavl"}, std::pair{"logo.htm", "maps/page.SHTML"}}) {
        const QByteArray text = readAll(golden + from).replace("logo.gif", "logo.jpg");
        QVERIFY(text.contains("logo.jpg"));
        QVERIFY(writeAll(path(to), text));
    }
    // Held open for reading and writing, so that a check that opens the pipe is not
    // stuck but wrongly lets it through.
    QVERIFY(mkfifo(QFile::encodeName(path("pipe.gif")).constData(), 0600) == 0);
    m_pipe = ::open(QFile::encodeName(path("pipe.gif")).constData(), O_RDWR | O_NONBLOCK);
    QVERIFY(m_pipe >= 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), path(QStringLiteral("device.gif"))));
}

void tst_Startup::cleanupTestCase()
{
    ::close(m_pipe);
}

void tst_Startup::extensionKeys_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<FileKind>("kind");
    const FileKind text = FileKind::Text, image = FileKind::Image, refused = FileKind::Refused;
    QTest::newRow("shtml upper case") << "/a/page.SHTML"
                                      << "html" << text;
    QTest::newRow("htm") << "site.htm"
                         << ".htm" << text;
    QTest::newRow("asp") << "menu.asp"
                         << ".asp" << text;
    QTest::newRow("txt") << "notes.txt"
                         << ".txt" << text;
    QTest::newRow("tavl") << "map.tavl"
                          << "tavl" << text;
    QTest::newRow("bare tavl") << "tavl"
                               << "tavl" << text;
    QTest::newRow("JPG") << "PHOTO.JPG"
                         << ".jpg" << image;
    QTest::newRow("gif") << "pic.gif"
                         << ".gif" << image;
    // Pictures the size reader knows and the decoder could show, still refused.
    QTest::newRow("jpeg") << "photo.jpeg"
                          << "jpeg" << refused;
    QTest::newRow("png") << "pic.PNG"
                         << ".png" << refused;
    QTest::newRow("bmp") << "pic.bmp"
                         << ".bmp" << refused;
    QTest::newRow("short path") << "A.b"
                                << "a.b" << refused;
}

void tst_Startup::extensionKeys()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QCOMPARE(extensionKey(path), key);
    QTEST(editorKind(key), "kind");
}

void tst_Startup::kindTableIsOneEntryAKey()
{
    QSet<QString> keys;
    for (const FileKindEntry& entry : fileKinds()) {
        QCOMPARE(entry.key.size(), 4);
        QCOMPARE(QString(entry.key).toLower(), QString(entry.key));
        keys.insert(entry.key);
    }
    QCOMPARE(keys.size(), qsizetype(fileKinds().size()));
}

void tst_Startup::checkFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("message"); // empty: no message
    const QStringList none;
    for (const char* ok : {"page.SHTML", "menu.asp", "PHOTO.JPG", "tavl", "map.tavl", "notes.txt",
                           "pic.gif", "site.htm", "x.Html"})
        QTest::newRow(ok) << QString::fromLatin1(ok) << true << none;
    QTest::newRow("missing file ends silently") << "missing.gif" << false << none;
    QTest::newRow("quoted path ends silently") << "\"pic.gif\"" << false << none;
    QTest::newRow("a folder") << "folder.gif" << false
                              << QStringList{"No directories, please...",
                                             "\r\nTavlo will not open a directory.",
                                             "Not much else to say on that one."};
    QTest::newRow("jpeg") << "photo.jpeg" << false
                          << QStringList{
                                 "We have a problem...",
                                 "\r\nTavlo does not recognize the filetype in:\r\n\r\n<path>",
                                 "Please make sure you are selecting an TAVL file,\r\n"
                                 "a TXT, HTM, HTML, SHTML or ASP file,\r\n"
                                 "or alternately, a GIF or JPG image."};
    QTest::newRow("png") << "pic.png" << false
                         << QStringList{
                                "We have a problem...",
                                "\r\nTavlo does not recognize the filetype in:\r\n\r\n<path>",
                                fileKindHint};
    const QStringList couldNotOpen{"We have a problem...",
                                   "\r\nTavlo could not open:\r\n\r\n<path>", fileKindHint};
    QTest::newRow("a named pipe") << "pipe.gif" << false << couldNotOpen;
    QTest::newRow("a device") << "device.gif" << false << couldNotOpen;
}

void tst_Startup::checkFile()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QFETCH(QStringList, message);
    RecordingPrompts prompts;
    const QString full = path(name);
    QCOMPARE(tavlo::checkFile(full, prompts), accepted);
    if (message.isEmpty()) {
        QVERIFY(prompts.shown.isEmpty());
        return;
    }
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown[0].kind, QStringLiteral("msg"));
    message.replaceInStrings(QStringLiteral("<path>"), full);
    QCOMPARE(prompts.shown[0].texts, message);
}

void tst_Startup::unreadableFileIsNamed()
{
    if (geteuid() == 0)
        QSKIP("root reads every file");
    const QString locked = path(QStringLiteral("locked.gif"));
    QFile f(locked);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::WriteOwner));
    RecordingPrompts prompts;
    QVERIFY(!tavlo::checkFile(locked, prompts));
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown[0].texts[1], "\r\nTavlo could not open:\r\n\r\n" + locked);
}

void tst_Startup::startUp_data()
{
    QTest::addColumn<QStringList>("arguments"); // relative to the test folder
    QTest::addColumn<bool>("secondCopy");
    QTest::addColumn<bool>("runs");     // the main window is shown and the program goes on
    QTest::addColumn<QString>("shown"); // the kind of the one prompt shown, or empty
    QTest::addColumn<int>("areas");
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<QString>("imgPath"); // relative; empty: the splash picture
    QTest::newRow("nothing named") << QStringList() << false << true << "" << 0 << false << "";
    QTest::newRow("second copy") << QStringList() << true << false << "box" << 0 << false << "";
    QTest::newRow("second copy with a file")
        << QStringList{"pic.gif"} << true << false << "box" << 0 << false << "";
    // The shell split the name at its blank; it is joined again.
    QTest::newRow("map file opens as text") << QStringList{"maps/my", "map.tavl"} << false << true
                                            << "" << 3 << false << "maps/images/logo.jpg";
    QTest::newRow("page opens as text") << QStringList{"maps/page.SHTML"} << false << true << ""
                                        << 3 << true << "maps/images/logo.jpg";
    QTest::newRow("picture") << QStringList{"maps/images/logo.jpg"} << false << true << "" << 0
                             << false << "maps/images/logo.jpg";
    QTest::newRow("folder refused")
        << QStringList{"folder.gif"} << false << false << "msg" << 0 << false << "";
    QTest::newRow("quoted name ends silently")
        << QStringList{"\"pic.gif\""} << false << false << "" << 0 << false << "";
}

void tst_Startup::startUp()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, secondCopy);
    QFETCH(bool, runs);
    QFETCH(QString, shown);
    QFETCH(int, areas);
    QFETCH(bool, pageOpen);
    QFETCH(QString, imgPath);
    QTemporaryDir home;
    const QString lockPath = home.filePath("tavlo.lock");
    InstanceLock running(lockPath);
    if (secondCopy)
        QVERIFY(running.tryAcquire());
    const QByteArray before = "[HKEY_CLASSES_ROOT]\n.tavl=Other\n";
    QVERIFY(writeAll(home.filePath("registry.ini"), before));
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
    QCOMPARE(prompts.shown.isEmpty() ? QString() : prompts.shown.first().kind, shown);
    QVERIFY(prompts.shown.size() <= 1);
    if (secondCopy) {
        QCOMPARE(prompts.shown.first().texts,
                 QStringList({"Tavlo Note", "Tavlo already in use..."}));
        QCOMPARE(prompts.lastIcon, MsgIcon::Exclamation);
        QCOMPARE(readAll(store.path()), before);
        QVERIFY(!QFile::exists(folders.dataDir));
        return;
    }
    // Written at every start, whether or not the file is refused.
    QCOMPARE(store.defaultValue(RegRoot::ClassesRoot, ".tavl"), QStringLiteral("Tavlo"));
    if (!runs)
        return;
    QVERIFY(window->isVisible());
    QCOMPARE(window->document().areaList().size(), areas);
    QCOMPARE(window->pageOpen(), pageOpen);
    QCOMPARE(window->imageLoaded(), !imgPath.isEmpty());
    if (!imgPath.isEmpty())
        QCOMPARE(window->imgPath(), path(imgPath));
    // The map is rebuilt area by area.
    QCOMPARE(pause.pauses.size(), areas);
}

void tst_Startup::pathOperations()
{
    QCOMPARE(folderOf("/web/img/logo.gif"), QStringLiteral("/web/img/"));
    QCOMPARE(folderOf("logo.gif"), QString());
    QCOMPARE(fileTitle("/pics/logo.gif"), QStringLiteral("logo.gif"));
    QCOMPARE(fileTitle("C:\\pics\\logo.gif"), QStringLiteral("logo.gif"));
    QCOMPARE(fileTitle("C:/pics\\x/logo.gif"), QStringLiteral("logo.gif"));
    QCOMPARE(fileTitle("logo.gif"), QStringLiteral("logo.gif"));
    QCOMPARE(stripNul(QStringLiteral("abc") + QChar(0) + "def"), QStringLiteral("abc"));
    QVERIFY(homeFolder().endsWith('/'));
    QVERIFY(!fileExists(m_dir.path()));
    QVERIFY(!fileExists(QString()));
    QVERIFY(fileExists(path(QStringLiteral("pic.gif"))));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
