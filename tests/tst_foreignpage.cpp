#include "html/foreignpage.h"

#include <QTest>

using namespace tavlo;

class TestForeignPage : public QObject {
    Q_OBJECT

private slots:
    void numberList_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<double>>("numbers");
        const auto row = [](const char* name, const char* text, const QList<double>& numbers) {
            QTest::newRow(name) << QByteArray(text) << numbers;
        };
        row("fractions, exponent, sign", "1.5,-2,.5,3e2", {1.5, -2, 0.5, 300});
        row("leading garbage skipped", "x1,px2,+3", {1, 2, 3});
        row("trailing garbage cut", "10px,20%", {10, 20});
        row("not a number is 0", "1,.,-,4", {1, 0, 0, 4});
        row("garbage to the end is 0", "1,abc", {1, 0});
        row("empty", "", {});
        row("overflow", "1e999,99999999999999999999", {qInf(), 1e20});
    }
    void numberList()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<double>, numbers);
        QCOMPARE(parseNumberList(text), numbers);
    }

    void valuesDecodedBytesKept_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("decoded");
        QTest::newRow("references") << QByteArray("a&amp;b &eacute;&#233;&#xE9;")
                                    << QByteArray("a&b \xc3\xa9\xc3\xa9\xc3\xa9");
        QTest::newRow("Latin-1 and a reference")
            << QByteArray("\xe9&amp;\xe8") << QByteArray("\xe9&\xe8");
    }
    void valuesDecodedBytesKept()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, decoded);
        const ForeignPage page =
            readForeignPage("<map name=m><area alt=\"" + value + "\" href='" + value + "'></map>");
        QCOMPARE(page.maps[0].areas[0].alt.value_or(""), decoded);
        QCOMPARE(page.maps[0].areas[0].href.value_or(""), decoded);
    }

    void imagesMapsAndPositions()
    {
        const QByteArray page =
            "<p>x</p>\r\n<IMG src=\"a.gif\" USEMAP=\"#m\" Width=\"10\" height=20>\r\n"
            "<img src=b.gif>\n  <Map id=m><p><AREA href=x alt=y></p></Map>tail";
        const ForeignPage read = readForeignPage(page);
        QCOMPARE(read.images.size(), 1); // an <img> without usemap is not one
        const ForeignImage& img = read.images[0];
        QCOMPARE(img.src, QByteArray("a.gif"));
        QCOMPARE(img.usemap, QByteArray("#m"));
        QCOMPARE(img.width.value_or(0), 10);
        QCOMPARE(img.height.value_or(0), 20);
        const ForeignMap& map = read.maps[0];
        QCOMPARE(map.name, QByteArray("m"));
        QCOMPARE(page.mid(map.tag.offset, map.tag.length), QByteArray("<Map id=m>"));
        QCOMPARE(page.mid(map.contentEnd, map.end - map.contentEnd), QByteArray("</Map>"));
        QCOMPARE(page.mid(map.areas[0].tag.offset, map.areas[0].tag.length),
                 QByteArray("<AREA href=x alt=y>"));
        QCOMPARE(findMap(read, hashName(img.usemap)), &map);
    }

    // The parser moves an <img> out of a table to before it; its line stays its own.
    void movedTagKeepsItsLine()
    {
        const ForeignPage read = readForeignPage(
            "<map name=m><area href=a></map>\n<table>\n<tr><td>x</td></tr>\n<img usemap=#m>\n"
            "</table>\n<map name=n><area href=b></map>");
        QCOMPARE(read.images[0].tag.line, 4);
        QCOMPARE(read.maps[1].areas[0].tag.line, 6);
        QCOMPARE(read.maps[1].areas[0].tag.column, 13);
    }

    // A map left open ends with the page; a tag cut short by the page's end is no area.
    void pageEndsInsideTheMap()
    {
        const QByteArray page = "<map name=m><area coords=1,2,3,4>";
        const ForeignPage read = readForeignPage(page);
        QCOMPARE(read.maps[0].end, page.size());
        QCOMPARE(read.maps[0].contentEnd, page.size());
        const ForeignPage cut = readForeignPage(page + "<area shape=rect coords=\"1,2");
        QCOMPARE(cut.maps[0].areas.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestForeignPage)
#include "tst_foreignpage.moc"
