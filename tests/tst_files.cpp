#include "platform/filewrite.h"
#include "platform/pathops.h"
#include "session/filedialogs.h"
#include "session/preview.h"
#include "support/files.h"
#include "support/standins.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavlo;
using namespace tavlo::test;

class tst_Files : public QObject {
    Q_OBJECT

private slots:
    // Without a picture yet the dialogs start in the home folder, else in the picture's.
    void dialogSetup_data()
    {
        QTest::addColumn<bool>("isOpen");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<bool>("hidePatterns");
        QTest::addColumn<QString>("imgPath");
        QTest::addColumn<QString>("folder");
        const QString image = "Image (*.jpg *.gif)", html = "Save As HTML  (*.htm)";
        const QStringList all{image, "TAVL file (*.tavl)",
                              "Edit a map in HTML or TEXT (*.htm *.html *.shtml *.asp *.txt)"};
        const QString picture = "/srv/web/img/logo.gif", folder = "/srv/web/img/";
        const auto row = [&](const char* name, bool isOpen, int kind, const QStringList& filters,
                             bool hide = false, bool hasPicture = true) {
            QTest::newRow(name) << isOpen << kind << filters << hide
                                << (hasPicture ? picture : homeFolder())
                                << (hasPicture ? folder : homeFolder());
        };
        row("File > Open, no picture yet", true, 0, all, false, false);
        row("a page's image", true, 1, {image});
        row("other open kind", true, 5, all);
        row("map file", false, 0, {"Save As an TAVL (*.tavl)"});
        row("HTML, no picture yet", false, 1, {html}, false, false);
        // Shows "(*.*)" but lists *.txt files only.
        row("text", false, 2, {"Save As TEXT  (*.*) (*.txt)"}, true);
        row("original page", false, 3, {html});
    }

    void dialogSetup()
    {
        QFETCH(bool, isOpen);
        QFETCH(int, kind);
        QFETCH(QString, imgPath);
        const DialogSetup setup = fileDialogSetup(isOpen, kind, imgPath);
        QCOMPARE(setup.title, isOpen ? "Open File..." : "Save File As...");
        QTEST(setup.filters, "filters");
        QTEST(setup.hidePatterns, "hidePatterns");
        QTEST(setup.folder, "folder");
        const char* const saveSuffixes[] = {"tavl", "htm", "txt", "htm"};
        QCOMPARE(setup.defaultSuffix, isOpen ? "jpg" : saveSuffixes[kind]);
        QCOMPARE(setup.save, !isOpen);
    }

    void writeNewAndReplace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
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
        QTemporaryDir dir;
        const QString path = dir.filePath("map.tavl");
        writeAll(path, "old map");
        simulateWriteFailure(step);
        const WriteResult written = writeFileAtomically(path, "new map");
        simulateWriteFailure(std::nullopt);
        QCOMPARE(written.error, QStringLiteral("No space left on device"));
        QCOMPARE(readAll(path), QByteArray("old map"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.tavl"});
    }

    // What is not a regular file is written through, never replaced; a link stays a link.
    void targetsThatStay()
    {
        QTemporaryDir dir;
        const QByteArray pipe = QFile::encodeName(dir.filePath("pipe"));
        QVERIFY(mkfifo(pipe.constData(), 0600) == 0);
        const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QVERIFY(writeFileAtomically(dir.filePath("pipe"), "through").ok());
        char got[16] = {};
        QCOMPARE(::read(reader, got, sizeof got), qsizetype(7));
        ::close(reader);
        QCOMPARE(QByteArray(got), QByteArray("through"));
        QVERIFY(QFileInfo(dir.filePath("pipe")).isFile() == false);

        QVERIFY(QFile::link("/dev/null", dir.filePath("null")));
        QVERIFY(writeFileAtomically(dir.filePath("null"), "gone").ok());
        QVERIFY(writeFileAtomically("/dev/null", "gone").ok());
        struct stat null {};
        QVERIFY(::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));

        writeAll(dir.filePath("page.htm"), "old");
        QVERIFY(QFile::link(dir.filePath("page.htm"), dir.filePath("link.htm")));
        QVERIFY(writeFileAtomically(dir.filePath("link.htm"), "new").ok());
        QVERIFY(QFileInfo(dir.filePath("link.htm")).isSymLink());
        QCOMPARE(readAll(dir.filePath("page.htm")), QByteArray("new"));
    }

    void replacedFileKeepsItsOwner()
    {
        if (geteuid() != 0)
            QSKIP("only root may give a file to another user");
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
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

QTEST_GUILESS_MAIN(tst_Files)
#include "tst_files.moc"
