#include "platform/association.h"
#include "platform/filewrite.h"
#include "platform/instancelock.h"
#include "platform/keystore.h"
#include "platform/pathops.h"
#include "platform/rounding.h"
#include "platform/tempfolder.h"
#include "platform/userhome.h"
#include "platform/windowsystem.h"
#include "session/filedialogs.h"
#include "session/preview.h"
#include "support/files.h"
#include "support/standins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

using namespace tavlo;
using namespace tavlo::test;

Q_DECLARE_METATYPE(tavlo::FileDialogFor)

namespace {

const auto HKCR = RegRoot::ClassesRoot;
const auto HKCU = RegRoot::CurrentUser;

// The other copy: holds the lock at argv[2] until its stdin closes.
int holdLock(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InstanceLock lock(QString::fromLocal8Bit(argv[2]));
    if (!lock.tryAcquire()) {
        std::puts("refused");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    QFile in;
    if (in.open(stdin, QIODevice::ReadOnly))
        in.readAll();
    return 0;
}

} // namespace

class tst_Platform : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString storePath() const { return m_dir->filePath(QStringLiteral("cfg/registry.ini")); }
    AssociationFolders folders() const
    {
        return {m_dir->filePath(QStringLiteral("data")), m_dir->filePath(QStringLiteral("config"))};
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Parents are made without values; a key is found in any case and keeps its own.
    void createKey()
    {
        KeyStore store(storePath());
        QVERIFY(store.createKey(HKCR, QStringLiteral("Tavlo\\shell\\open\\command")));
        QVERIFY(store.keyExists(HKCR, QStringLiteral("Tavlo")));
        QVERIFY(store.keyExists(HKCR, QStringLiteral("Tavlo\\shell")));
        QVERIFY(!store.keyExists(HKCU, QStringLiteral("Tavlo")));
        QVERIFY(!store.createKey(HKCR, QStringLiteral("Tavlo\\\\empty")));
        QVERIFY(store.setDefaultValue(HKCR, QStringLiteral(".TAVL"), QStringLiteral("Tavlo")));
        QVERIFY(store.keyExists(HKCR, QStringLiteral(".tavl")));
        QVERIFY(store.createKey(HKCR, QStringLiteral(".tavl\\Sub")));
        const QByteArray text = readAll(storePath());
        for (const char* line : {"\nTavlo\\shell\n", ".TAVL=Tavlo\n", ".TAVL\\Sub\n"})
            QVERIFY2(text.contains(line), line);
    }

    void valuesSurviveAReload_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("equals signs") << QStringLiteral("a=b==c");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Tavlo\\Tavlo.exe %1 \\n\\");
        QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree\r");
        QTest::newRow("non-ASCII") << QStringLiteral("Kartenbeschreibung für Ærø ✓");
    }
    void valuesSurviveAReload()
    {
        QFETCH(QString, value);
        QVERIFY(KeyStore(storePath()).setDefaultValue(HKCR, QStringLiteral("Tavlo\\v"), value));
        const QByteArray written = readAll(storePath());
        KeyStore reopened(storePath());
        QVERIFY(reopened.keyExists(HKCR, QStringLiteral("tavlo\\V")));
        QVERIFY(!reopened.keyExists(HKCU, QStringLiteral("x")));
        // Read back and written again, the value keeps every byte.
        QVERIFY(reopened.createKey(HKCU, QStringLiteral("x")));
        QCOMPARE(readAll(storePath()), written + "x\n");
    }

    void deleteKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("existsAfter");
        QTest::newRow("leaf") << "Tavlo\\shell\\open\\command" << true << false;
        QTest::newRow("has subkeys") << "Tavlo\\shell" << false << true;
        QTest::newRow("absent") << "Tavlo\\shell\\edit" << false << false;
    }
    void deleteKey()
    {
        QFETCH(QString, key);
        QFETCH(bool, deleted);
        QFETCH(bool, existsAfter);
        KeyStore store(storePath());
        QVERIFY(store.createKey(HKCR, QStringLiteral("Tavlo\\shell\\open\\command")));
        QCOMPARE(store.deleteKey(HKCR, key), deleted);
        QCOMPARE(KeyStore(storePath()).keyExists(HKCR, key), existsAfter);
        QVERIFY(store.keyExists(HKCR, QStringLiteral("Tavlo\\shell\\open")));
    }

    // The keys, and the user's files that stand in for those the package installs under the
    // same names: these must say the same, apart from the program they start.
    void regAssocWritesKeysAndFiles()
    {
        KeyStore store(storePath());
        regAssoc(store, QStringLiteral("/opt/my apps/tavlo"), folders());
        QCOMPARE(readAll(storePath()),
                 QByteArray("[HKEY_CLASSES_ROOT]\n"
                            ".tavl=Tavlo\n"
                            "Tavlo=Client-side image map\n"
                            "Tavlo\\shell\n"
                            "Tavlo\\shell\\open\n"
                            "Tavlo\\shell\\open\\command=/opt/my apps/tavlo %1\n"
                            "\n"
                            "[HKEY_CURRENT_USER]\n"));
        QCOMPARE(readAll(folders().dataDir + "/mime/packages/tavlo.xml"),
                 sourceFile("resources/tavlo-mime.xml"));
        QCOMPARE(readAll(folders().dataDir + "/applications/tavlo.desktop")
                     .replace(R"(Exec="/opt/my apps/tavlo")", "Exec=tavlo")
                     .replace("TryExec=/opt/my apps/tavlo", "TryExec=tavlo"),
                 sourceFile("resources/tavlo.desktop"));
    }

    // A blank in the program's path: regAssocWritesKeysAndFiles.
    void desktopEntryExec_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("exec");
        QTest::addColumn<QByteArray>("tryExec");
        const auto row = [](const char* name, const char* program, const char* exec,
                            const char* tryExec) {
            QTest::newRow(name) << QString(program) << QByteArray(exec) << QByteArray(tryExec);
        };
        row("backslash", "/opt/a\\b/tavlo", R"(Exec="/opt/a\\\\b/tavlo" %f)",
            R"(TryExec=/opt/a\\b/tavlo)");
        row("percent", "/opt/100%/tavlo", "Exec=/opt/100%%/tavlo %f", "TryExec=/opt/100%/tavlo");
    }
    void desktopEntryExec()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, exec);
        QFETCH(QByteArray, tryExec);
        KeyStore store(storePath());
        regAssoc(store, program, folders());
        const QList<QByteArray> lines =
            readAll(folders().dataDir + "/applications/tavlo.desktop").split('\n');
        QVERIFY2(lines.contains(exec), exec.constData());
        QVERIFY2(lines.contains(tryExec), tryExec.constData());
    }

    void mimeAppsKeepsOthersLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("withOurs");
        QTest::addColumn<QByteArray>("afterRemoval");
        const auto row = [](const char* name, const QByteArray& before, const QByteArray& withOurs,
                            const QByteArray& afterRemoval) {
            QTest::newRow(name) << before << withOurs << afterRemoval;
        };
        const QByteArray section = "[Default Applications]\n";
        const QByteArray ours = "application/x-tavlo=tavlo.desktop\n";
        row("no file", "", section + ours, section);
        const QByteArray other = "[Added Associations]\r\napplication/x-tavlo=x.desktop;";
        row("other section only", other, other + '\n' + section + ours, other + '\n' + section);
        const QByteArray html = section + "text/html=firefox.desktop\n", last = "\n[Removed]\n";
        row("added at section end", html + last, html + ours + last, html + last);
        const QByteArray mine = "# mine\r\n[Default Applications]\r\na/b=c.desktop\r\n";
        row("replaced in place", mine + "application/x-tavlo = old.desktop\r\nd/e=f.desktop",
            mine + "application/x-tavlo=tavlo.desktop\r\nd/e=f.desktop", mine + "d/e=f.desktop");
    }
    void mimeAppsKeepsOthersLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, withOurs);
        QFETCH(QByteArray, afterRemoval);
        const QString list = folders().configDir + "/mimeapps.list";
        if (!before.isEmpty()) {
            QVERIFY(QDir().mkpath(folders().configDir));
            writeAll(list, before);
        }
        KeyStore store(storePath());
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), folders());
        QCOMPARE(readAll(list), withOurs);
        regAssoc(store, QStringLiteral("/elsewhere/tavlo"), folders());
        QCOMPARE(readAll(list), withOurs);

        QCOMPARE(removeAssociationFiles(folders()), QStringList());
        QCOMPARE(readAll(list), afterRemoval);
        QVERIFY(!QFile::exists(folders().dataDir + "/mime/packages/tavlo.xml"));
        QVERIFY(!QFile::exists(folders().dataDir + "/applications/tavlo.desktop"));
        QCOMPARE(removeAssociationFiles(folders()), QStringList());
    }

    void userHome_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("database");
        QTest::addColumn<QByteArray>("home");
        QTest::newRow("HOME set") << QByteArray("/home/ann") << QByteArray("/home/b")
                                  << QByteArray("/home/ann");
        QTest::newRow("HOME unset")
            << QByteArray() << QByteArray("/home/b") << QByteArray("/home/b");
        QTest::newRow("no home at all") << QByteArray() << QByteArray() << QByteArray();
    }
    void userHome()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, database);
        QTEST(tavlo::userHome(variable, [&] { return database; }), "home");
    }

    // Without a home folder Qt would name folders at the file system's root.
    void noHomeFolderNoFiles()
    {
        const ScopedEnv noHome("HOME", QByteArray());
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        KeyStore store;
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), AssociationFolders::standard());
        QVERIFY(!QFile::exists(data + "/applications/tavlo.desktop"));
        QVERIFY(!QFile::exists(config + "/mimeapps.list"));
        QVERIFY(!QFile::exists(config + "/tavlo/registry.ini"));
        QVERIFY(!store.keyExists(HKCR, QStringLiteral(".tavl")));
    }

    void roundToInt_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even") << 2.5 << 2;
        QTest::newRow("half to even, odd") << -3.5 << -4;
        QTest::newRow("int's top") << 2147483647.4 << 2147483647;
        QTest::newRow("past int's top") << 1e12 << 2147483647;
        QTest::newRow("past int's bottom") << -2147483649.0 << -2147483647 - 1;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 2147483647;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
    }
    void roundToInt()
    {
        QFETCH(double, v);
        QFETCH(int, expected);
        QCOMPARE(tavlo::roundToInt(v), expected);
    }

    // Variables as NAME=value; X means the desktop's X server.
    void windowSystem_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QByteArray>("platform");
        const auto row = [](const char* name, const QStringList& variables, const char* platform) {
            QTest::newRow(name) << variables << QByteArray(platform);
        };
        const QString wayland = QStringLiteral("XDG_SESSION_TYPE=wayland"), x = "DISPLAY=:0";
        row("Wayland with X", {wayland, "WAYLAND_DISPLAY=wayland-0", x}, "xcb");
        row("Wayland without X", {wayland, "WAYLAND_DISPLAY=wayland-0"}, nullptr);
        row("empty DISPLAY", {wayland, "DISPLAY="}, nullptr);
        row("the user's choice", {wayland, x, "QT_QPA_PLATFORM=wayland"}, nullptr);
        row("empty choice is none", {wayland, x, "QT_QPA_PLATFORM="}, "xcb");
    }
    void windowSystem()
    {
        QFETCH(QStringList, variables);
        QFETCH(QByteArray, platform);
        QProcessEnvironment environment;
        for (const QString& v : variables)
            environment.insert(v.section('=', 0, 0), v.section('=', 1));
        QCOMPARE(windowSystemFor(environment), platform);
    }

    void tempFolder_data()
    {
        QTest::addColumn<QString>("tmpdir");
        QTest::addColumn<QString>("expected");
        const QString real = QDir(QDir::tempPath()).canonicalPath();
        QTest::newRow("plain") << real << real + "/";
        QTest::newRow("trailing slash") << real + "/" << real + "/";
        QTest::newRow("missing folder") << real + "/no/such/folder" << QString("/tmp/");
    }
    void tempFolder()
    {
        QFETCH(QString, tmpdir);
        QFETCH(QString, expected);
        const ScopedEnv tmp("TMPDIR", tmpdir.toUtf8());
        QCOMPARE(tavlo::tempFolder(), expected);
    }

    void secondLockInTheSameProcessIsRefused()
    {
        const QString path = m_dir->filePath(QStringLiteral("tavlo.lock"));
        auto first = std::make_unique<InstanceLock>(path);
        InstanceLock second(path);
        QVERIFY(first->tryAcquire());
        QVERIFY(first->tryAcquire());
        QVERIFY(!second.tryAcquire());
        first.reset();
        QVERIFY(second.tryAcquire());
    }

    void lockOfAnotherProcess_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("holder exits") << false;
        QTest::newRow("holder killed") << true;
    }
    void lockOfAnotherProcess()
    {
        QFETCH(bool, killed);
        const QString path = m_dir->filePath(QStringLiteral("run/tavlo.lock"));
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", path});
        QVERIFY(holder.waitForStarted());
        while (!holder.readAllStandardOutput().contains("held"))
            QVERIFY2(holder.waitForReadyRead(10000), "the other copy never took the lock");

        InstanceLock lock(path);
        QVERIFY(!lock.tryAcquire());
        if (killed)
            holder.kill();
        else
            holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(holder.exitStatus(), killed ? QProcess::CrashExit : QProcess::NormalExit);
        QVERIFY(lock.tryAcquire());
    }

    // Without a picture yet the dialogs start in the home folder, else in the picture's; a
    // name typed without an extension gets one the dialog lists.
    void dialogSetup_data()
    {
        QTest::addColumn<FileDialogFor>("dialog");
        QTest::addColumn<bool>("hasPicture");
        QTest::addColumn<QString>("patterns"); // of the files listed
        const QString all = "*.jpg *.gif *.tavl *.htm *.html *.shtml *.asp *.txt";
        using enum FileDialogFor;
        QTest::newRow("File > Open, no picture yet") << OpenFile << false << all;
        QTest::newRow("a page's image") << FindPicture << true << QString("*.jpg *.gif");
        QTest::newRow("map file") << SaveTavl << true << QString("*.tavl");
        QTest::newRow("HTML, no picture yet") << SaveHtml << false << QString("*.htm");
        QTest::newRow("text") << SaveText << true << QString("*.txt");
        QTest::newRow("original page") << SaveOriginalPage << true << QString("*.htm");
    }
    void dialogSetup()
    {
        QFETCH(FileDialogFor, dialog);
        QFETCH(bool, hasPicture);
        const DialogSetup setup =
            fileDialogSetup(dialog, hasPicture ? "/srv/web/img/logo.gif" : homeFolder());
        QCOMPARE(setup.folder, hasPicture ? "/srv/web/img/" : homeFolder());
        QCOMPARE(setup.save, !opensFile(dialog));
        // The dialog lists the patterns of a filter's last parentheses; where its text shows
        // others ("(*.*)" for text), they are hidden.
        QStringList listed;
        for (const QString& filter : setup.filters) {
            listed << filter.section('(', -1).chopped(1).split(' ');
            QCOMPARE(setup.hidePatterns, filter.count('(') > 1);
        }
        QTEST(listed.join(' '), "patterns");
        QVERIFY(listed.contains("*." + setup.defaultSuffix));
    }

    void writeNewAndReplace()
    {
        const QString path = m_dir->filePath("page.htm");
        QVERIFY(writeFileAtomically(path, "old\r\n").ok());
        QCOMPARE(readAll(path), QByteArray("old\r\n"));
        const auto mode0640 = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                              QFile::WriteUser | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode0640));
        QVERIFY(writeFileAtomically(path, "new").ok());
        QCOMPARE(readAll(path), QByteArray("new"));
        QCOMPARE(QFileInfo(path).permissions(), mode0640);
    }

    // A full or failing disk at any step: the old bytes stay, nothing is left beside them.
    void failingStepKeepsOldFile_data()
    {
        QTest::addColumn<WriteStep>("step");
        for (const auto& [name, step] : {std::pair{"open", WriteStep::Open},
                                         {"write", WriteStep::Write},
                                         {"sync", WriteStep::Sync},
                                         {"close", WriteStep::Close},
                                         {"rename", WriteStep::Rename}})
            QTest::newRow(name) << step;
    }

    void failingStepKeepsOldFile()
    {
        QFETCH(WriteStep, step);
        const QString path = m_dir->filePath("map.tavl");
        writeAll(path, "old map");
        KeyStore store(storePath());
        QVERIFY(store.setDefaultValue(HKCR, QStringLiteral("Tavlo"), QStringLiteral("old")));
        const QByteArray storeBefore = readAll(storePath());
        simulateWriteFailure(step);
        const WriteResult written = writeFileAtomically(path, "new map");
        const bool keyWritten = store.setDefaultValue(HKCR, QStringLiteral("Tavlo"), "new");
        const bool keyDeleted = store.deleteKey(HKCR, QStringLiteral("Tavlo"));
        simulateWriteFailure(std::nullopt);
        QCOMPARE(written.error, QStringLiteral("No space left on device"));
        QCOMPARE(readAll(path), QByteArray("old map"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"map.tavl"});
        // The key store says so, and its file stays as it was.
        QVERIFY(!keyWritten && !keyDeleted);
        QCOMPARE(readAll(storePath()), storeBefore);
    }

    // What is not a regular file is written through, never replaced; a link stays a link.
    void targetsThatStay()
    {
        const QByteArray pipe = QFile::encodeName(m_dir->filePath("pipe"));
        QVERIFY(mkfifo(pipe.constData(), 0600) == 0);
        const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QVERIFY(writeFileAtomically(m_dir->filePath("pipe"), "through").ok());
        char got[16] = {};
        QCOMPARE(::read(reader, got, sizeof got), qsizetype(7));
        ::close(reader);
        QCOMPARE(QByteArray(got), QByteArray("through"));
        QVERIFY(!QFileInfo(m_dir->filePath("pipe")).isFile());

        QVERIFY(QFile::link("/dev/null", m_dir->filePath("null")));
        QVERIFY(writeFileAtomically(m_dir->filePath("null"), "gone").ok());
        QVERIFY(writeFileAtomically("/dev/null", "gone").ok());
        struct stat null {};
        QVERIFY(::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));

        writeAll(m_dir->filePath("page.htm"), "old");
        QVERIFY(QFile::link(m_dir->filePath("page.htm"), m_dir->filePath("link.htm")));
        QVERIFY(writeFileAtomically(m_dir->filePath("link.htm"), "new").ok());
        QVERIFY(QFileInfo(m_dir->filePath("link.htm")).isSymLink());
        QCOMPARE(readAll(m_dir->filePath("page.htm")), QByteArray("new"));
    }

    void replacedFileKeepsItsOwner()
    {
        if (geteuid() != 0)
            QSKIP("only root may give a file to another user");
        const QString path = m_dir->filePath("page.htm");
        writeAll(path, "theirs");
        QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
        QVERIFY(writeFileAtomically(path, "still theirs").ok());
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(st.st_gid, gid_t(65534));
    }

    void previewFolderLifetime()
    {
        StandInBrowser browser;
        QString folderPath;
        {
            PreviewFolder folder;
            QCOMPARE(previewPage("", folder, browser), PreviewResult::Shown);
            const QString path = folder.pagePath();
            QCOMPARE(readAll(path), QByteArray("\r\n"));
            QCOMPARE(previewPage("second", folder, browser), PreviewResult::Shown);
            QCOMPARE(readAll(path), QByteArray("second\r\n"));
            QCOMPARE(browser.opened, QStringList({path, path}));
            folderPath = QFileInfo(path).absolutePath();
            QVERIFY(QFileInfo(folderPath).fileName().startsWith("tavlo-preview-"));
            QCOMPARE(QFileInfo(folderPath).permissions() & 0x0777,
                     QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        }
        QVERIFY(!QFileInfo::exists(folderPath));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0)
        return holdLock(argc, argv);
    QCoreApplication app(argc, argv);
    tst_Platform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
