#include "app/modbase.h"
#include "markup/pathops.h"
#include "support/recordingprompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace tavlo;
using tavlo::test::RecordingPrompts;

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void extensionKeys_data();
    void extensionKeys();
    void checkFile_data();
    void checkFile();
    void unreadableFileIsNamed();
    void commandLineIsOnePath();
    void pathOperations();

private:
    QTemporaryDir m_dir;
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
}

void tst_Startup::extensionKeys_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("image");
    QTest::newRow("shtml upper case") << "/a/page.SHTML"
                                      << "html" << true << false;
    QTest::newRow("htm") << "site.htm"
                         << ".htm" << true << false;
    QTest::newRow("asp") << "menu.asp"
                         << ".asp" << true << false;
    QTest::newRow("txt") << "notes.txt"
                         << ".txt" << true << false;
    QTest::newRow("tavl") << "map.tavl"
                          << "tavl" << true << false;
    QTest::newRow("bare tavl") << "tavl"
                               << "tavl" << true << false;
    QTest::newRow("JPG") << "PHOTO.JPG"
                         << ".jpg" << false << true;
    QTest::newRow("gif") << "pic.gif"
                         << ".gif" << false << true;
    QTest::newRow("jpeg is not known") << "photo.jpeg"
                                       << "jpeg" << false << false;
    QTest::newRow("short path") << "A.b"
                                << "a.b" << false << false;
}

void tst_Startup::extensionKeys()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(bool, text);
    QFETCH(bool, image);
    QCOMPARE(extensionKey(path), key);
    QCOMPARE(isTextKind(key), text);
    QCOMPARE(isImageKind(key), image);
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
