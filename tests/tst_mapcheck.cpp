// check's findings themselves are in the golden files of tavlo-map check (tst_tavlomap):
// tests/pages/findings.htm and coords.htm hold a map for each case.
#include "html/mapcheck.h"
#include "support/files.h"

#include <QDirIterator>
#include <QTest>

using namespace tavlo;
using tavlo::test::readAll;
using tavlo::test::sourcePath;

class TestMapCheck : public QObject {
    Q_OBJECT

private slots:
    // Over every page the fuzzers and tests keep: each code found is in the table of
    // codes, and a page the byte search passes over has no finding to lose.
    void findingsOfStoredPages()
    {
        int pages = 0;
        for (const char* folder :
             {"fuzz/corpus/fuzz_foreignpage", "fuzz/corpus/fuzz_htmlpage",
              "fuzz/corpus/fuzz_mapreader", "fuzz/corpus/fuzz_roundtrip", "tests/pages"}) {
            QDirIterator it(sourcePath(QString::fromLatin1(folder)), QDir::Files);
            while (it.hasNext()) {
                const QString file = it.next();
                const QByteArray page = readAll(file);
                const QList<Finding> found = checkPage(page, file);
                for (const Finding& f : found)
                    QVERIFY2(findingCode(QLatin1StringView(f.code)), f.code.constData());
                QVERIFY2(worthChecking(page) || found.isEmpty(), qPrintable(file));
                ++pages;
            }
        }
        QVERIFY(pages > 200);
    }
};

QTEST_GUILESS_MAIN(TestMapCheck)
#include "tst_mapcheck.moc"
