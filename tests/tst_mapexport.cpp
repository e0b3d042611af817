#include "export/mapexport.h"
#include "support/exportmaps.h"
#include "support/files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace tavlo;
using namespace tavlo::test;

namespace {

// An SVG as XML: the links in document order, each as (href, aria-label, title).
QList<QStringList> svgLinks(const QByteArray& svg)
{
    QList<QStringList> links;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"a") {
            links.append({xml.attributes().value("href").toString(),
                          xml.attributes().value("aria-label").toString()});
        } else if (xml.name() == u"title" && !links.isEmpty()) {
            links.last().append(xml.readElementText());
        }
    }
    if (xml.hasError())
        qWarning() << "not well-formed:" << xml.errorString();
    return xml.hasError() ? QList<QStringList>{{"not well-formed"}} : links;
}

} // namespace

class tst_MapExport : public QObject {
    Q_OBJECT

private slots:
    // The harbour map's golden files are tavlo-map export's, compared in tst_tavlomap.
    void goldenFiles_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("expected"); // in tests/golden/export
        // What a browser makes of awkward areas, in a page that says which.
        const ForeignPage awkward = readForeignPage(sourceFile("tests/pages/export/awkward.htm"));
        const ForeignImage image = awkward.images.value(0);
        for (const QString name : {"svg", "html", "json"}) {
            const ExportFormat format = *exportFormatNamed(name);
            QTest::addRow("awkward %s", qPrintable(name))
                << exportMap(format, image, awkward.maps.value(0), image.src, 320, 200)
                << "awkward." + name;
            QTest::addRow("no areas %s", qPrintable(name))
                << exportMap(format, ForeignImage(), ForeignMap(), "", 1, 1) << "empty." + name;
        }
    }
    void goldenFiles()
    {
        QFETCH(QByteArray, written);
        QFETCH(QString, expected);
        QCOMPARE(written, sourceFile("tests/golden/export/" + expected));
    }

    // Whatever a value holds, it reads back as the same text from the SVG (an XML
    // parser) and from the JSON, and breaks out of nothing.
    void valuesSurvive_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("markup characters") << QByteArray("a&b<c>d\"e'f") << "a&b<c>d\"e'f";
        QTest::newRow("breaking out")
            << QByteArray("\"><script>alert(1)</script>") << "\"><script>alert(1)</script>";
        QTest::newRow("line breaks and tabs") << QByteArray("a\tb\nc\r\nd") << "a\tb\nc\r\nd";
        QTest::newRow("UTF-8 kept") << QByteArray("Sk\xc3\xa5gen \xe2\x82\xac") << u"Skågen €"_qs;
        QTest::newRow("Latin-1 byte") << QByteArray("Sk\xe5gen") << u"Skågen"_qs;
        QTest::newRow("Windows-1252 byte") << QByteArray("5 \x80") << u"5 €"_qs;
        QTest::newRow("reference not decoded again") << QByteArray("&amp;") << "&amp;";
        QTest::newRow("empty") << QByteArray("") << "";
    }
    void valuesSurvive()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, text);
        ForeignMap map;
        map.name = value;
        map.areas.append(foreignArea(ForeignShape::Rect, {0, 0, 5, 5}, value, value + 'x'));

        // Links are cleaned as URLs (see urls), so the SVG is read for the alt text only.
        const QList<QStringList> links = svgLinks(exportSvg({}, map, value, 10, 10));
        QCOMPARE(links.size(), 1);
        QCOMPARE(links[0].mid(1), (QStringList{text + 'x', text + 'x'}));

        QJsonParseError error;
        const QJsonObject json =
            QJsonDocument::fromJson(exportJson({}, map, value, 10, 10), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json["map"].toString(), text);
        QCOMPARE(json["picture"]["path"].toString(), text);
        QCOMPARE(json["areas"][0]["href"].toString(), text);
        QCOMPARE(json["areas"][0]["alt"].toString(), text + 'x');
    }

    // Links and the picture's path mean what a browser reads in them, written so that
    // the page stays valid.
    void urls_data()
    {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << QByteArray("a/b.htm?x=1&y=2#top") << "a/b.htm?x=1&y=2#top";
        QTest::newRow("blanks around dropped") << QByteArray(" \t q.htm \n") << "q.htm";
        QTest::newRow("line breaks inside dropped") << QByteArray("li\r\nne.htm") << "line.htm";
        QTest::newRow("blank inside encoded") << QByteArray("my page.htm") << "my%20page.htm";
        QTest::newRow("quotes and brackets encoded")
            << QByteArray("a\"<b>`{|}^.htm") << "a%22%3Cb%3E%60%7B%7C%7D%5E.htm";
        QTest::newRow("encoded kept") << QByteArray("p%20q.htm") << "p%20q.htm";
        QTest::newRow("Latin-1 byte") << QByteArray("sk\xe5.htm") << u"skå.htm"_qs;
    }
    void urls()
    {
        QFETCH(QByteArray, url);
        QFETCH(QString, written);
        ForeignMap map;
        map.areas.append(foreignArea(ForeignShape::Rect, {0, 0, 5, 5}, url, "a"));
        QCOMPARE(svgLinks(exportSvg({}, map, "p.gif", 10, 10)).value(0).value(0), written);
        const QByteArray html = exportHtml({}, map, url, 10, 10);
        QVERIFY(html.contains(" href=\"" + written.toHtmlEscaped().toUtf8() + '"'));
        QVERIFY(html.contains(" src=\"" + written.toHtmlEscaped().toUtf8() + '"'));
    }

    void chooseMap_data()
    {
        QTest::addColumn<QList<QByteArray>>("usemaps"); // one <img> each, in page order
        QTest::addColumn<QList<QByteArray>>("maps");    // map names, in page order
        QTest::addColumn<QByteArray>("wanted");         // --map, or null
        QTest::addColumn<int>("image");                 // -1: none fits
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QList<QByteArray>& usemaps,
                            const QList<QByteArray>& maps, const char* wanted, int image,
                            const char* error = "") {
            QTest::newRow(name) << usemaps << maps << QByteArray(wanted) << image << QString(error);
        };
        const char* noUse = "no <img usemap> uses a map of this page";
        row("first image whose map exists", {"#gone", "#b", "#a"}, {"a", "b"}, nullptr, 1);
        row("named map", {"#a", "#b"}, {"a", "b"}, "b", 1);
        row("text before the hash ignored", {"page.htm#a"}, {"a"}, nullptr, 0);
        row("no hash names no map", {"a"}, {"a"}, nullptr, -1, noUse);
        row("names compared exactly", {"#A"}, {"a"}, nullptr, -1, noUse);
        row("map without picture", {"#a"}, {"a", "b"}, "b", -1,
            "no <img usemap> uses the map \"b\"");
    }
    void chooseMap()
    {
        QFETCH(QList<QByteArray>, usemaps);
        QFETCH(QList<QByteArray>, maps);
        QFETCH(QByteArray, wanted);
        QFETCH(int, image);
        QFETCH(QString, error);
        ForeignPage page;
        for (const QByteArray& usemap : usemaps)
            page.images.append(foreignImage("p.gif", usemap));
        for (const QByteArray& name : maps) {
            page.maps.append(ForeignMap());
            page.maps.last().name = name;
        }
        const ExportChoice choice =
            chooseExportMap(page, wanted.isNull() ? std::nullopt : std::optional(wanted));
        QCOMPARE(choice.error, error);
        QCOMPARE(choice.image ? int(choice.image - page.images.constData()) : -1, image);
        if (choice.image)
            QCOMPARE(choice.map, mapForUsemap(page, choice.image->usemap));
    }

    void pictureSizes_data()
    {
        QTest::addColumn<QByteArray>("src");
        QTest::addColumn<int>("tagWidth"); // 0: no attribute
        QTest::addColumn<int>("tagHeight");
        QTest::addColumn<QSize>("size"); // 0 x 0: an error
        const auto row = [](const char* name, const char* src, int w, int h, QSize size) {
            QTest::newRow(name) << QByteArray(src) << w << h << size;
        };
        row("the file's own size over the tag's", "harbour.gif", 320, 200, {640, 400});
        row("missing file: the tag's size", "gone.gif", 320, 200, {320, 200});
        row("unknown kind: the tag's size", "notes.txt", 30, 20, {30, 20});
        row("missing file, tag without height: the areas' bottom", "gone.gif", 320, 0, {320, 160});
        row("missing file, no tag size: the areas' extent", "gone.gif", 0, 0, {200, 160});
        row("no source, no size, no areas", nullptr, 0, 0, {0, 0});
    }
    void pictureSizes()
    {
        QFETCH(QByteArray, src);
        QFETCH(int, tagWidth);
        QFETCH(int, tagHeight);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        writeAll(dir.filePath("harbour.gif"), sourceFile("examples/harbour.gif"));
        writeAll(dir.filePath("notes.txt"), "not a picture");
        ForeignImage img = foreignImage(src, "#m");
        if (tagWidth > 0)
            img.width = tagWidth;
        if (tagHeight > 0)
            img.height = tagHeight;

        ForeignMap map;
        if (!src.isNull())
            map.areas = {foreignArea(ForeignShape::Rect, {40, 60, 200, 160}),
                         foreignArea(ForeignShape::Circle, {100, 100, 50}),
                         foreignArea(ForeignShape::Default, {})};
        const PictureSize found = exportPictureSize(dir.filePath("page.htm"), img, map);
        QCOMPARE(QSize(found.width, found.height), size);
        QCOMPARE(!found.error.isEmpty(), size.isEmpty());
        // Said whenever the size is not the file's own.
        QCOMPARE(!found.note.isEmpty(), !size.isEmpty() && src != "harbour.gif");
    }
};

QTEST_GUILESS_MAIN(tst_MapExport)
#include "tst_mapexport.moc"
