#include "editor/mapdocument.h"
#include "markup/clipboarddata.h"
#include "markup/markupwriter.h"
#include "markup/pathops.h"

#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace tavlo;

namespace {

QByteArray golden(const char* name)
{
    QFile file(qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/tests/golden/" + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return file.readAll();
}

// logo.gif, 120 by 60, with a rectangle, a circle with every kind of value, and a
// polygon never edited.
QByteArray logoBlock()
{
    MapDocument doc;
    doc.addArea(rectArea(10, 10, 50, 40));
    doc.addAreaDefaults();
    doc.replaceTail(0, recordTail("a.htm", "", ""), "a.htm", "", "");
    doc.addArea(circleArea(100, 30, 20.4f));
    doc.addAreaDefaults();
    const QByteArray alt = R"(A "round" <b> & more)";
    doc.replaceTail(1, recordTail("b.htm", "_blank", alt), "b.htm", "_blank", alt);
    doc.addArea(polyArea({{0, 0}, {30, 0}, {15, 25}}));
    doc.addAreaDefaults();
    return mapBlock(savedImageFolder, imageMarkup("logo.gif", 120, 60), doc.areaList());
}

} // namespace

class tst_MarkupWriter : public QObject {
    Q_OBJECT

private slots:
    void targets_data();
    void targets();
    void fixedTexts();
    void imageNames_data();
    void imageNames();
    void escaping_data();
    void escaping();
    void recordTails_data();
    void recordTails();
    void blockWithoutAreas();
    void previewAddressesThePicture_data();
    void previewAddressesThePicture();
    void clipboardKeepsTheBytes_data();
    void clipboardKeepsTheBytes();
};

void tst_MarkupWriter::targets_data()
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

void tst_MarkupWriter::targets()
{
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, expected);
    QCOMPARE(written, expected);
}

void tst_MarkupWriter::fixedTexts()
{
    QCOMPARE(endMarker.size(), 49);
    // The reader scans the whole map section, credit comment included.
    for (const char* word : {"HREF=", "Target=", "ALT=", "COORDS=", "<img src=", "<!-- end Tavlo",
                             "<!-- Tavlo start", "\r", "\n"})
        QVERIFY2(!creditComment.contains(word), word);
    QVERIFY(creditComment.startsWith("<!--") && creditComment.endsWith("-->"));
}

void tst_MarkupWriter::imageNames_data()
{
    QTest::addColumn<QByteArray>("fname");
    QTest::addColumn<QByteArray>("imgTag");
    QTest::addColumn<QByteArray>("mapLine");
    QTest::newRow("gif") << QByteArray("logo.gif")
                         << QByteArray(R"(logo.gif" width=120 height=60 border=0 USEMAP="#logo">)")
                         << QByteArray(R"(<MAP NAME="logo">)");
    QTest::newRow("jpeg keeps its dot")
        << QByteArray("photo.jpeg")
        << QByteArray(R"(photo.jpeg" width=120 height=60 border=0 USEMAP="#photo.">)")
        << QByteArray(R"(<MAP NAME="photo.">)");
    QTest::newRow("quote in the name")
        << QByteArray(R"(a"b.gif)")
        << QByteArray(R"(a&quot;b.gif" width=120 height=60 border=0 USEMAP="#a&quot;b">)")
        << QByteArray(R"(<MAP NAME="a&quot;b">)");
    QTest::newRow("UTF-8 name stays bytes")
        << QByteArray("k\xc3\xb6ln.jpg")
        << QByteArray("k\xc3\xb6ln.jpg\" width=120 height=60 border=0 USEMAP=\"#k\xc3\xb6ln\">")
        << QByteArray("<MAP NAME=\"k\xc3\xb6ln\">");
}

void tst_MarkupWriter::imageNames()
{
    QFETCH(QByteArray, fname);
    QFETCH(QByteArray, imgTag);
    QFETCH(QByteArray, mapLine);
    const ImageMarkup m = imageMarkup(fname, 120, 60);
    QCOMPARE(m.imgTag, imgTag);
    QCOMPARE(m.mapTag, creditComment + "\r\n" + mapLine);
}

void tst_MarkupWriter::escaping_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("escaped");
    QTest::newRow("plain") << QByteArray("page.htm?a=1&b=2") << QByteArray("page.htm?a=1&b=2");
    QTest::newRow("quote") << QByteArray(R"(say "hi")") << QByteArray("say &quot;hi&quot;");
    QTest::newRow("angles") << QByteArray("<b>") << QByteArray("&lt;b&gt;");
    QTest::newRow("an entity already there") << QByteArray("&quot;") << QByteArray("&quot;");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9") << QByteArray("caf\xe9");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void tst_MarkupWriter::escaping()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, escaped);
    QCOMPARE(escapeValue(value), escaped);
    if (!value.contains("&quot;"))
        QCOMPARE(unescapeValue(escaped), value);
}

void tst_MarkupWriter::recordTails_data()
{
    QTest::addColumn<QByteArray>("href");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("alt");
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("href only") << QByteArray("a.htm") << QByteArray() << QByteArray()
                               << QByteArray("a.htm");
    QTest::newRow("all three") << QByteArray("a.htm") << QByteArray("_top") << QByteArray("Home")
                               << QByteArray(R"(a.htm" Target="_top" ALT="Home)");
    QTest::newRow("empty href with target")
        << QByteArray() << QByteArray("main") << QByteArray() << QByteArray(R"(" Target="main)");
    QTest::newRow("alt without target")
        << QByteArray("/") << QByteArray() << QByteArray("x") << QByteArray(R"(/" ALT="x)");
    QTest::newRow("quote cannot end the value")
        << QByteArray(R"(a.htm" onclick="x)") << QByteArray() << QByteArray()
        << QByteArray("a.htm&quot; onclick=&quot;x");
}

void tst_MarkupWriter::recordTails()
{
    QFETCH(QByteArray, href);
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, alt);
    QFETCH(QByteArray, tail);
    QCOMPARE(recordTail(href, target, alt), tail);
}

void tst_MarkupWriter::blockWithoutAreas()
{
    const QByteArray block = mapBlock("/home/ann/pics/", imageMarkup("logo.gif", 1, 2), {});
    const QList<QByteArray> lines = block.split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(
        lines[1],
        QByteArray(R"(<img src="/home/ann/pics/logo.gif" width=1 height=2 border=0 USEMAP="#logo">)"
                   "\r"));
    QCOMPARE(lines[5], QByteArray("</MAP>\r"));
    QVERIFY(block.endsWith(endMarker));
}

void tst_MarkupWriter::previewAddressesThePicture_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/home/ann/pics/logo.gif";
    QTest::newRow("hash and percent in the name") << "/home/ann/pics/#1 100%.gif";
    QTest::newRow("hash and percent in the folder") << "/home/ann/a #b 5%/logo.gif";
    QTest::newRow("quote and UTF-8") << QString::fromUtf8("/srv/\"K\xc3\xb6ln\".jpg");
}

void tst_MarkupWriter::previewAddressesThePicture()
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

void tst_MarkupWriter::clipboardKeepsTheBytes_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("text"); // what a receiver asking for UTF-8 text reads
    QTest::newRow("ASCII") << QByteArray("<AREA HREF=\"a.htm\">") << "<AREA HREF=\"a.htm\">";
    QTest::newRow("UTF-8") << QByteArray("K\xc3\xb6ln.htm") << QString::fromUtf8("K\xc3\xb6ln.htm");
    QTest::newRow("Latin-1") << QByteArray("caf\xe9.htm") << QString::fromUtf8("caf\xc3\xa9.htm");
    QTest::newRow("Windows-1252 only")
        << QByteArray("\x80 \x93q\x94 \x81")
        << QString::fromUtf8("\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d \xc2\x81");
    QTest::newRow("UTF-8 cut short") << QByteArray("K\xc3") << QString::fromUtf8("K\xc3\x83");
}

void tst_MarkupWriter::clipboardKeepsTheBytes()
{
    QFETCH(QByteArray, block);
    const std::unique_ptr<QMimeData> data = clipboardData(block);
    QCOMPARE(data->data("text/plain"), block);
    QTEST(data->text(), "text");
}

QTEST_GUILESS_MAIN(tst_MarkupWriter)
#include "tst_markupwriter.moc"
