#include "html/mapcheck.h"
#include "support/files.h"

#include <QDirIterator>
#include <QTest>

using namespace tavlo;
using tavlo::test::readAll;
using tavlo::test::sourcePath;

namespace {

// A picture of 100 x 50 pixels on another site, so that its size is the tag's.
const QByteArray picture =
    "<img src=\"http://example.org/p.gif\" width=100 height=50 usemap=\"#m\" alt=\"\">\n";

// "code@line:column" of each finding, in order.
QStringList codesOf(const QByteArray& page)
{
    QStringList out;
    for (const Finding& f : checkPage(page, QStringLiteral("/nowhere/page.htm")))
        out.append(
            QStringLiteral("%1@%2:%3").arg(QString::fromLatin1(f.code)).arg(f.line).arg(f.column));
    return out;
}

} // namespace

class TestMapCheck : public QObject {
    Q_OBJECT

private slots:
    void findings_data()
    {
        QTest::addColumn<QByteArray>("areas");
        QTest::addColumn<QStringList>("codes");
        const auto a = [](const char* tag) { return QByteArray(tag) + '\n'; };
        QTest::newRow("clean") << a("<area coords=0,0,10,10 href=a alt=A>") << QStringList();
        QTest::newRow("no alt, empty alt")
            << a("<area coords=0,0,10,10 href=a>") + a("<area coords=20,0,30,10 href=b alt=' '>")
            << QStringList{"missing-alt@3:1", "missing-alt@4:1"};
        QTest::newRow("no href needs no alt") << a("<area coords=0,0,10,10>") << QStringList();
        QTest::newRow("empty links") << a("<area coords=0,0,10,10 href='' alt=a>") +
                                            a("<area coords=20,0,30,10 href=' #' alt=b>")
                                     << QStringList{"empty-href@3:1", "empty-href@4:1"};
        QTest::newRow("partly, wholly off")
            << a("<area coords=90,40,110,60 href=a alt=a>") +
                   a("<area shape=circle coords=-20,10,5 href=b alt=b>")
            << QStringList{"off-image@3:1", "off-image@4:1"};
        QTest::newRow("right and bottom edge inside")
            << a("<area coords=0,0,100,50 href=a alt=a>") << QStringList();
        QTest::newRow("no size")
            << a("<area coords=5,5,5,20 href=a alt=a>") +
                   a("<area shape=circle coords=20,20,0.4 href=b alt=b>") +
                   a("<area shape=poly coords=0,0,10,10,20,20,30,30 href=c alt=c>")
            << QStringList{"no-size@3:1", "no-size@4:1", "no-size@5:1"};
        QTest::newRow("covered by one") << a("<area coords=0,0,50,50 href=a alt=a>") +
                                               a("<area coords=10,10,20,20 href=b alt=b>")
                                        << QStringList{"unreachable@4:1"};
        QTest::newRow("covered by two together") << a("<area coords=0,0,10,20 href=a alt=a>") +
                                                        a("<area coords=10,0,20,20 href=b alt=b>") +
                                                        a("<area coords=5,5,15,15 href=c alt=c>")
                                                 << QStringList{"unreachable@5:1"};
        QTest::newRow("touching edge is not covering")
            << a("<area coords=0,0,10,10 href=a alt=a>") +
                   a("<area coords=10,0,20,10 href=b alt=b>")
            << QStringList();
        QTest::newRow("circle leaves its box corners")
            << a("<area shape=circle coords=20,20,10 href=a alt=a>") +
                   a("<area coords=10,10,30,30 href=b alt=b>")
            << QStringList();
        QTest::newRow("inside a circle") << a("<area shape=circle coords=20,20,10 href=a alt=a>") +
                                                a("<area coords=18,18,22,22 href=b alt=b>")
                                         << QStringList{"unreachable@4:1"};
        QTest::newRow("odd-even hole is open")
            << a("<area shape=poly coords=0,0,40,0,40,40,0,40,0,0,10,10,30,10,30,30,10,30,10,10 "
                 "href=a alt=a>") +
                   a("<area coords=15,15,25,25 href=b alt=b>")
            << QStringList();
        QTest::newRow("after default")
            << a("<area shape=default href=a alt=a>") + a("<area coords=1,1,5,5 href=b alt=b>")
            << QStringList{"unreachable@4:1"};
        QTest::newRow("unusable") << a("<area coords=1,2,3 href=a alt=a>") +
                                         a("<area shape=circle coords=1,2,-3 href=b alt=b>") +
                                         a("<area shape=hexagon coords=1,2,3 href=c alt=c>")
                                  << QStringList{"unusable@3:1", "unusable@4:1", "unusable@5:1"};
        QTest::newRow("second map of a name")
            << QByteArray("</map><map name=m><area coords=1,1,5,5 href=a alt=a>")
            << QStringList{"duplicate-map@3:7"};
    }
    void findings()
    {
        QFETCH(QByteArray, areas);
        QFETCH(QStringList, codes);
        QCOMPARE(codesOf(picture + "<map name=m>\n" + areas + "</map>"), codes);
    }

    void usemapNamesNoMap_data()
    {
        QTest::addColumn<QByteArray>("usemap");
        QTest::addColumn<bool>("found");
        QTest::newRow("hash name") << QByteArray("#m") << true;
        QTest::newRow("without hash") << QByteArray("m") << false;
        QTest::newRow("other case") << QByteArray("#M") << false;
        QTest::newRow("empty") << QByteArray("#") << false;
    }
    void usemapNamesNoMap()
    {
        QFETCH(QByteArray, usemap);
        QFETCH(bool, found);
        const QStringList codes =
            codesOf("<img src=x.gif usemap=\"" + usemap + "\"><map name=m></map>");
        QCOMPARE(codes.contains(QStringLiteral("no-map@1:1")), !found);
    }

    void findingLineForm()
    {
        Finding f{12, 3, Finding::Severity::Warning, QStringLiteral("100%1 sure"), "empty-href"};
        QCOMPARE(findingLine(QStringLiteral("a.htm"), f),
                 QStringLiteral("a.htm:12:3: warning: 100%1 sure [empty-href]"));
    }

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
