// A real full file system: every road that writes keeps the old bytes and says why.
#include "platform/association.h"
#include "platform/keystore.h"
#include "support/files.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

using namespace tavlo;
using namespace tavlo::test;

class tst_FullDisk : public QObject {
    Q_OBJECT

    QTemporaryDir m_mountPoint;
    bool m_mounted = false;

    QString path(const QString& name) const { return m_mountPoint.filePath(name); }

    // Every file a road might replace, made before the disk fills up.
    QMap<QString, QByteArray> fixtures() const
    {
        return {{"map.tavl", "old map\r\n"},
                {"page.htm", sourceFile("tests/pages/tavlo-own.htm")},
                {"images/harbour.gif", sourceFile("tests/pages/images/harbour.gif")},
                {"changed.tavl",
                 sourceFile("tests/pages/tavlo-own.tavl").replace("HREF=\"", "HREF=\"new-")},
                {"config/mimeapps.list", "[Default Applications]\ntext/html=firefox.desktop\n"},
                {"config/tavlo/registry.ini", "[HKEY_CLASSES_ROOT]\n.tavl=Old\n"}};
    }

    void expectUnchanged()
    {
        for (const auto& [name, bytes] : fixtures().asKeyValueRange())
            QCOMPARE(readAll(path(name)), bytes);
        // No temporary file left beside them.
        QCOMPARE(QDir(path("config")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"mimeapps.list"});
    }

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        const QByteArray target = QFile::encodeName(m_mountPoint.path());
        if (::mount("tavlo-test", target.constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("this machine does not let the test mount a file system");
        m_mounted = true;
        for (const char* folder : {"config/tavlo", "data", "images"})
            QVERIFY(QDir(m_mountPoint.path()).mkpath(folder));
        for (const auto& [name, bytes] : fixtures().asKeyValueRange())
            writeAll(path(name), bytes);
        // Fill what is left.
        QFile filler(path("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    void cleanupTestCase()
    {
        if (m_mounted)
            ::umount(QFile::encodeName(m_mountPoint.path()).constData());
    }

    void saveKeepsTheOldFile()
    {
        const ImageMarkup image = imageMarkup("site.jpg", 300, 200);
        const SavedMap saved = saveMap(SaveKind::Tavl, path("map.tavl"), image,
                                       {R"(<AREA SHAPE="RECT" COORDS="1,1,90,90" HREF="a.htm")"});
        QCOMPARE(saved.error, SavedMap::Error::WriteFailed);
        QCOMPARE(saved.reason, QStringLiteral("No space left on device"));
        expectUnchanged();
    }

    void startUpFilesStayWhole()
    {
        KeyStore store(path("config/tavlo/registry.ini"));
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), {path("data"), path("config")});
        expectUnchanged();
    }

    void tavloMapKeepsThePage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("apply in place") << QStringList{"apply", "changed.tavl", "page.htm"};
        QTest::newRow("import over a file") << QStringList{"import", "page.htm", "-o", "map.tavl"};
    }
    void tavloMapKeepsThePage()
    {
        QFETCH(QStringList, args);
        QProcess p;
        p.setWorkingDirectory(m_mountPoint.path());
        p.start(QStringLiteral(TAVLO_MAP_BINARY), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY2(p.readAllStandardError().contains("No space left on device"), "no reason given");
        expectUnchanged();
    }
};

QTEST_GUILESS_MAIN(tst_FullDisk)
#include "tst_fulldisk.moc"
