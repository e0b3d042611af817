#include "markup/filewrite.h"
#include "markup/modopendlg.h"
#include "markup/modpreview.h"
#include "markup/pathops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace tavlo;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Answers at once and remembers what it was asked to open.
struct StandInBrowser final : Browser {
    QString findHandler() override { return handler; }
    bool open(const QString& file) override
    {
        opened.append(file);
        return starts;
    }
    QString handler = "firefox.desktop";
    bool starts = true;
    QStringList opened;
};

} // namespace

class tst_Files : public QObject {
    Q_OBJECT

private slots:
    void dialogSetup_data()
    {
        QTest::addColumn<bool>("isOpen");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<bool>("hidePatterns");
        const QString image = "Image (*.jpg *.gif)", html = "Save As HTML  (*.htm)";
        const QStringList all{image, "TAVL file (*.tavl)",
                              "Edit a map in HTML or TEXT (*.htm *.html *.shtml *.asp *.txt)"};
        QTest::newRow("File > Open") << true << 0 << all << false;
        QTest::newRow("a page's image") << true << 1 << QStringList{image} << false;
        QTest::newRow("other open kind") << true << 5 << all << false;
        QTest::newRow("map file") << false << 0 << QStringList{"Save As an TAVL (*.tavl)"} << false;
        QTest::newRow("HTML") << false << 1 << QStringList{html} << false;
        // Shows "(*.*)" but lists *.txt files only.
        QTest::newRow("text") << false << 2 << QStringList{"Save As TEXT  (*.*) (*.txt)"} << true;
        QTest::newRow("original page") << false << 3 << QStringList{html} << false;
    }

    void dialogSetup()
    {
        QFETCH(bool, isOpen);
        QFETCH(int, kind);
        const DialogSetup setup = fileDialogSetup(isOpen, kind, homeFolder());
        QCOMPARE(setup.title, isOpen ? "Open File..." : "Save File As...");
        QTEST(setup.filters, "filters");
        QTEST(setup.hidePatterns, "hidePatterns");
        const char* const saveSuffixes[] = {"tavl", "htm", "txt", "htm"};
        QCOMPARE(setup.defaultSuffix, isOpen ? "jpg" : saveSuffixes[kind]);
        QCOMPARE(setup.save, !isOpen);
    }

    void dialogFolder_data()
    {
        QTest::addColumn<QString>("imgPath");
        QTest::addColumn<QString>("folder");
        QTest::newRow("no image yet") << homeFolder() << homeFolder();
        QTest::newRow("an image") << "/srv/web/img/logo.gif"
                                  << "/srv/web/img/";
    }

    void dialogFolder()
    {
        QFETCH(QString, imgPath);
        QTEST(fileDialogSetup(true, 0, imgPath).folder, "folder");
        QTEST(fileDialogSetup(false, 2, imgPath).folder, "folder");
    }

    void writeNewAndReplace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.htm");
        QCOMPARE(writeFileAtomically(path, "old\r\n"), QString());
        QCOMPARE(contents(path), QByteArray("old\r\n"));
        const auto mode0640 = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                              QFile::WriteUser | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode0640));
        QCOMPARE(writeFileAtomically(path, "new"), QString());
        QCOMPARE(contents(path), QByteArray("new"));
        QCOMPARE(QFileInfo(path).permissions(), mode0640);
    }

    void folderPathFails()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QVERIFY(writeFileAtomically(dir.filePath("sub"), "bytes").contains("folder"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"sub"});
        QVERIFY(QDir(dir.filePath("sub")).isEmpty());
    }

    void failedWriteKeepsOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        const QString path = dir.filePath("map.tavl");
        QVERIFY(writeRaw(path, "old map"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString reason = writeFileAtomically(path, "new map");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(contents(path), QByteArray("old map"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"map.tavl"});
    }

    void previewFolderLifetime()
    {
        StandInBrowser browser;
        QString folderPath;
        {
            PreviewFolder folder;
            QCOMPARE(previewPage("", folder, browser), PreviewResult::Shown);
            const QString path = folder.pagePath();
            QCOMPARE(contents(path), QByteArray("\r\n"));
            QCOMPARE(previewPage("second", folder, browser), PreviewResult::Shown);
            QCOMPARE(contents(path), QByteArray("second\r\n"));
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
