#include "app/modbase.h"
#include "markup/filekinds.h"
#include "markup/pathops.h"
#include "support/recordingprompts.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavlo;
using tavlo::test::RecordingPrompts;

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
    void commandLineIsOnePath();
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

void tst_Startup::commandLineIsOnePath()
{
    QCOMPARE(commandLinePath({}), QString());
    QCOMPARE(commandLinePath({"/home/ann/my", "map.tavl"}),
             QStringLiteral("/home/ann/my map.tavl"));
    QCOMPARE(commandLinePath({" spaced "}), QStringLiteral(" spaced "));
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

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
