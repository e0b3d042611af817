#include "map/mapdocument.h"
#include "platform/pathops.h"
#include "support/areas.h"
#include "support/files.h"
#include "tavlofile/clipboarddata.h"
#include "tavlofile/markupwriter.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace tavlo;

namespace {

QByteArray golden(const char* name)
{
    return test::sourceFile(QStringLiteral("tests/golden/") + name);
}

// logo.gif, 120 by 60, with a rectangle, a circle with every kind of value, and a
// polygon never edited.
QByteArray logoBlock()
{
    MapDocument doc;
    doc.addArea(test::rect(10, 10, 50, 40));
    doc.replaceTail(0, recordTail("a.htm", "", ""), {"a.htm", "", ""});
    doc.addArea(test::circle(100, 30, 20.4f));
    const QByteArray alt = R"(A "round" <b> & more)";
    doc.replaceTail(1, recordTail("b.htm", "_blank", alt), {"b.htm", "_blank", alt});
    doc.addArea(test::poly({{0, 0}, {30, 0}, {15, 25}}));
    return mapBlock(savedImageFolder, imageMarkup("logo.gif", 120, 60), doc.areaList());
}

} // namespace

class tst_MarkupWriter : public QObject {
    Q_OBJECT

private slots:
    void targets_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray block = logoBlock();
        QTest::newRow("clipboard") << block << golden("logo.clipboard.txt");
        QTest::newRow("TAVL file") << fileText(SaveKind::Tavl, block) << golden("logo.tavl");
        QTest::newRow("text file") << fileText(SaveKind::Text, block) << golden("logo.txt");
        QTest::newRow("HTML page") << fileText(SaveKind::Html, block) << golden("logo.htm");
        QTest::newRow("original page")
            << fileText(SaveKind::OriginalPage, block, golden("page.top"), golden("page.bot"))
            << golden("page.saved.htm");
    }

    void targets()
    {
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, expected);
        QCOMPARE(written, expected);
    }

    void fixedTexts()
    {
        // The reader scans the whole map section, credit comment included.
        for (const char* word : {"HREF=", "Target=", "ALT=", "COORDS=", "<img src=",
                                 "<!-- end Tavlo", "<!-- Tavlo start", "\r", "\n"})
            QVERIFY2(!creditComment.contains(word), word);
        QVERIFY(creditComment.startsWith("<!--") && creditComment.endsWith("-->"));
    }

    void imageNames_data()
    {
        QTest::addColumn<QByteArray>("fname");
        QTest::addColumn<QByteArray>("src"); // as the tag writes the name
        QTest::addColumn<QByteArray>("map"); // the map's name
        const auto row = [](const char* name, const char* fname, const char* src, const char* map) {
            QTest::newRow(name) << QByteArray(fname) << QByteArray(src) << QByteArray(map);
        };
        row("jpeg keeps its dot", "photo.jpeg", "photo.jpeg", "photo.");
        row("quote, #, % and ?", "a\"#b%c d?.jpg", "a&quot;%23b%25c d%3F.jpg", "a&quot;#b%c d?");
    }

    void imageNames()
    {
        QFETCH(QByteArray, fname);
        QFETCH(QByteArray, src);
        QFETCH(QByteArray, map);
        const ImageMarkup m = imageMarkup(fname, 120, 60);
        QCOMPARE(m.imgTag, src + "\" width=120 height=60 border=0 USEMAP=\"#" + map + "\">");
        QCOMPARE(m.mapTag, creditComment + "\r\n<MAP NAME=\"" + map + "\">");
    }

    void recordTails_data()
    {
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("alt");
        QTest::addColumn<QByteArray>("tail");
        const auto row = [](const char* name, const char* href, const char* target, const char* alt,
                            const char* tail) {
            QTest::newRow(name) << QByteArray(href) << QByteArray(target) << QByteArray(alt)
                                << QByteArray(tail);
        };
        // A link alone is the value escaped, and unescaping brings it back.
        row("empty", "", "", "", "");
        row("quote and angles cannot end the value", R"(a.htm" onclick="<b>)", "", "",
            "a.htm&quot; onclick=&quot;&lt;b&gt;");
        row("empty href with target", "", "main", "", R"(" Target="main)");
        row("alt without target", "/", "", "x", R"(/" ALT="x)");
    }

    void recordTails()
    {
        QFETCH(QByteArray, href);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, alt);
        QFETCH(QByteArray, tail);
        QCOMPARE(recordTail(href, target, alt), tail);
        if (target.isEmpty() && alt.isEmpty())
            QCOMPARE(unescapeValue(tail), href);
    }

    void previewAddressesThePicture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("#, %, quote and UTF-8 in the name")
            << QString::fromUtf8("/home/ann/pics/#1 100% \"K\xc3\xb6ln\".jpg");
        QTest::newRow("# and % in the folder") << "/home/ann/a #b 5%/logo.gif";
    }

    void previewAddressesThePicture()
    {
        QFETCH(QString, path);
        const ImageMarkup image = imageMarkup(QFile::encodeName(fileTitle(path)), 120, 60);
        const QByteArray line = previewMapBlock(path, image, {}).split('\n').value(1);
        const QByteArray open = "<img src=\"";
        QVERIFY(line.startsWith(open));
        const QByteArray src = line.mid(open.size(), line.indexOf('"', open.size()) - open.size());
        // What the browser makes of the address is the picture's own path.
        QCOMPARE(QUrl::fromEncoded(src, QUrl::StrictMode).toLocalFile(), path);
        QVERIFY(line.mid(open.size() + src.size()).startsWith("\" width=120 height=60 border=0 "));
    }

    void clipboardTargets_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QByteArray>("utf8");   // UTF8_STRING, text/plain;charset=utf-8
        QTest::addColumn<QByteArray>("latin1"); // STRING
        const auto row = [](const char* name, const QByteArray& block, const char* utf8,
                            const char* latin1) {
            QTest::newRow(name) << block << QByteArray(utf8) << QByteArray(latin1);
        };
        row("UTF-8", "K\xc3\xb6ln.htm", "K\xc3\xb6ln.htm", "K\xf6ln.htm");
        row("Windows-1252 only", "\x80 \x93q\x94 \x81",
            "\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d \xc2\x81", "? ?q? \x81");
        row("UTF-8 cut short", "K\xc3", "K\xc3\x83", "K\xc3");
    }

    void clipboardTargets()
    {
        QFETCH(QByteArray, block);
        QFETCH(QByteArray, utf8);
        const std::unique_ptr<QMimeData> data = clipboardData(block);
        QCOMPARE(data->data("text/plain"), utf8);
        QCOMPARE(data->data("text/plain;charset=utf-8"), utf8);
        // Qt's X11 clipboard serves STRING as "text/plain" read as UTF-8, in Latin-1.
        QTEST(QString::fromUtf8(data->data("text/plain")).toLatin1(), "latin1");
    }
};

QTEST_GUILESS_MAIN(tst_MarkupWriter)
#include "tst_markupwriter.moc"
