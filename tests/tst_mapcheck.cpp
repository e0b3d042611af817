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
    // What the pages of tests/pages do not show; what they show is in the golden files
    // of tavlo-map check (tst_tavlomap).
    void findings_data()
    {
        QTest::addColumn<QByteArray>("areas"); // from line 3 of the page, one a line
        QTest::addColumn<QStringList>("codes");
        const auto row = [](const char* name, const QByteArrayList& areas,
                            const QStringList& codes) {
            QTest::newRow(name) << areas.join('\n') + '\n' << codes;
        };
        row("clean", {"<area coords=0,0,10,10 href=a alt=A>"}, {});
        row("blank alt", {"<area coords=20,0,30,10 href=b alt=' '>"}, {"missing-alt@3:1"});
        row("no href needs no alt", {"<area coords=0,0,10,10>"}, {});
        row("blank and #", {"<area coords=20,0,30,10 href=' #' alt=b>"}, {"empty-href@3:1"});
        row("wholly off", {"<area shape=circle coords=-20,10,5 href=b alt=b>"}, {"off-image@3:1"});
        row("right and bottom edge inside", {"<area coords=0,0,100,50 href=a alt=a>"}, {});
        row("radius that rounds to none", {"<area shape=circle coords=20,20,0.4 href=b alt=b>"},
            {"coords-reading@3:1", "no-size@3:1"});
        row("covered by two together",
            {"<area coords=0,0,10,20 href=a alt=a>", "<area coords=10,0,20,20 href=b alt=b>",
             "<area coords=5,5,15,15 href=c alt=c>"},
            {"unreachable@5:1"});
        row("touching edge is not covering",
            {"<area coords=0,0,10,10 href=a alt=a>", "<area coords=10,0,20,10 href=b alt=b>"}, {});
        row("circle leaves its box corners",
            {"<area shape=circle coords=20,20,10 href=a alt=a>",
             "<area coords=10,10,30,30 href=b alt=b>"},
            {});
        row("inside a circle",
            {"<area shape=circle coords=20,20,10 href=a alt=a>",
             "<area coords=18,18,22,22 href=b alt=b>"},
            {"unreachable@4:1"});
        row("odd-even hole is open",
            {"<area shape=poly coords=0,0,40,0,40,40,0,40,0,0,10,10,30,10,30,30,10,30,10,10 "
             "href=a alt=a>",
             "<area coords=15,15,25,25 href=b alt=b>"},
            {});
        row("after default and covered: reached by none",
            {"<area coords=0,0,50,50 href=a alt=a>", "<area shape=default href=b alt=b>",
             "<area coords=1,1,5,5 href=c alt=c>"},
            {"unreachable@5:1"});
        row("default last",
            {"<area coords=1,1,5,5 href=a alt=a>", "<area shape=default href=b alt=b>"}, {});
        row("second and third default",
            {"<area shape=default href=a alt=a>", "<area shape=default href=b alt=b>",
             "<area coords=1,1,5,5 href=c alt=c>", "<area shape=default href=d alt=d>"},
            {"default-order@4:1", "unreachable@5:1", "unreachable@6:1"});
        row("unusable",
            {"<area coords=1,2,3 href=a alt=a>", "<area shape=circle coords=1,2,-3 href=b alt=b>",
             "<area shape=hexagon coords=1,2,3 href=c alt=c>"},
            {"unusable@3:1", "unusable@4:1", "unknown-shape@5:1", "unusable@5:1"});
        row("unknown shape: a rectangle",
            {"<area shape=triangle coords=1,2,30,40 href=a alt=a>",
             "<area shape='' coords=1,2,30,40 href=b alt=b>"},
            {"unknown-shape@3:1", "unknown-shape@4:1", "unreachable@4:1"});
        row("a shape's own name in capitals", {"<area shape=Circle coords=60,40,5 href=d alt=d>"},
            {});
    }
    void findings()
    {
        QFETCH(QByteArray, areas);
        QFETCH(QStringList, codes);
        QCOMPARE(codesOf(picture + "<map name=m>\n" + areas + "</map>"), codes);
    }

    // Firefox's reading against Chromium's and the HTML rules', item by item; exponents and
    // fractions are in the golden files of tavlo-map check.
    void coordsReadings_data()
    {
        QTest::addColumn<QByteArray>("shape");
        QTest::addColumn<QByteArray>("coords");
        QTest::addColumn<QString>("differences"); // joined by " / "; empty when alike
        QTest::addColumn<QByteArray>("plain");
        const auto alike = [](const char* name, const char* shape, const char* coords) {
            QTest::newRow(name) << QByteArray(shape) << QByteArray(coords) << QString()
                                << QByteArray();
        };
        alike("plain", "rect", "20,30,120,90");
        alike("blanks", "rect", " 20 30  120\t90 ");
        alike("blanks around commas", "rect", "20 , 30 ,120, 90");
        alike("plus sign", "rect", "+20,+30,120,90");
        alike("px", "rect", "20px,30px,120px,90px");
        alike("percent", "rect", "20%,30,40%,90");
        alike("trailing comma", "rect", "20,30,120,90,");
        alike("fraction-free point", "rect", "20.,30.0,120,90");
        alike("hex reads 0 in both", "rect", "0x20,30,120,90");
        alike("odd polygon count", "poly", "0,0,40,0,40,40,7");
        alike("trailing comma, even polygon", "poly", "0,0,40,0,40,40,");
        alike("reversed corners", "rect", "120,90,20,30");
        alike("negative", "circle", "-5,10,20");
        alike("too few in both", "rect", "1,2,3");
        alike("negative radius in both", "circle", "1,2,-3");
        alike("default has none", "default", "1.5e3");
        const auto differ = [](const char* name, const char* shape, const char* coords,
                               const char* differences, const char* plain) {
            QTest::newRow(name) << QByteArray(shape) << QByteArray(coords)
                                << QString::fromUtf8(differences) << QByteArray(plain);
        };
        differ("leading point and letters", "rect", ".5,x20,120,90",
               "Firefox reads .5 as 0, x20 as 0", "0,20,120,90");
        differ("empty first item", "rect", ",20,30,120,90",
               "Firefox reads the coords as 0,20,30,120,90", "20,30,120,90");
        differ("empty middle item", "rect", "20,,30,120,90",
               "Firefox reads the coords as 20,0,30,120,90", "20,30,120,90");
        differ("blank between commas", "rect", "20, ,30,120,90",
               "Firefox reads the coords as 20,0,30,120,90", "20,30,120,90");
        differ("semicolons", "rect", "20;30;120;90",
               "Firefox reads the coords as 20 and ignores the area", "20,30,120,90");
        differ("too few, but a trailing comma", "rect", "1,2,3,",
               "Firefox reads the coords as 1,2,3,0 and keeps the area that Chromium ignores", "");
        differ("odd polygon and trailing comma", "poly", "0,0,40,0,40,40,7,",
               "Firefox reads the coords as 0,0,40,0,40,40,7,0", "0,0,40,0,40,40");
        differ("wraps at 32 bits", "rect", "20,30,4294967416,90",
               "Firefox reads 4294967416 as 120 / Chromium reads 4294967416 as 33554432",
               "20,30,16777216,90");
        differ("beyond Chromium's range", "rect", "-50000000,0,20,20",
               "Chromium reads -50000000 as -33554432", "-16777216,0,20,20");
    }
    void coordsReadings()
    {
        QFETCH(QByteArray, shape);
        QFETCH(QByteArray, coords);
        QFETCH(QString, differences);
        QFETCH(QByteArray, plain);
        const QByteArray page =
            picture + "<map name=m><area shape=\"" + shape + "\" coords=\"" + coords + "\"></map>";
        QString seen;
        for (const Finding& f : checkPage(page, QStringLiteral("/nowhere/page.htm"))) {
            if (f.code == "coords-reading") {
                QCOMPARE(f.severity, Finding::Severity::Warning);
                seen = f.message;
            }
        }
        if (differences.isEmpty()) {
            QCOMPARE(seen, QString());
            return;
        }
        // The wording around them is in the golden files of tavlo-map check.
        QVERIFY2(seen.contains(differences.replace(" / ", "; ")), qPrintable(seen));
        QCOMPARE(seen.count("coords="), plain.isEmpty() ? 0 : 1);
        QVERIFY2(plain.isEmpty() || seen.endsWith("coords=\"" + plain + '"'), qPrintable(seen));
    }

    // The messages, and the findings of a missing alt or #, or of a map that is not there,
    // are in the golden files of tavlo-map check.
    void pictureTags_data()
    {
        QTest::addColumn<QByteArray>("img");
        QTest::addColumn<QStringList>("codes");
        const auto row = [](const char* name, const char* attributes, const QStringList& codes) {
            QTest::newRow(name) << "<img src=http://example.org/x.gif " + QByteArray(attributes) +
                                       '>'
                                << codes;
        };
        const QStringList noMap{"no-map@1:1"};
        row("alt and sizes in pixels", "usemap=#m alt='' width=' 100' height=50.5px", {});
        row("percent and words", "usemap=#m alt=a width=100% height=auto",
            {"size-not-pixels@1:1", "size-not-pixels@1:1"});
        row("other case", "usemap=#M alt=a", noMap);
        row("empty", "usemap=# alt=a", noMap);
    }
    void pictureTags()
    {
        QFETCH(QByteArray, img);
        QFETCH(QStringList, codes);
        QCOMPARE(codesOf(img + "<map name=m></map>"), codes);
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
