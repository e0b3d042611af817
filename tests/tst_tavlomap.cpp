// tavlo-map itself, run as a user runs it: exit codes, output, golden files.
#include "support/files.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using tavlo::test::readAll;
using tavlo::test::sourcePath;
using tavlo::test::writeAll;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QString pagesDir()
{
    return sourcePath(QStringLiteral("tests/pages"));
}

Run tavloMap(const QStringList& args, const QString& folder = pagesDir())
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(TAVLO_MAP_BINARY), args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// Compares with tests/golden/cli/NAME; TAVLO_UPDATE_GOLDEN=1 writes it instead.
void compareGolden(const QByteArray& actual, const QString& name)
{
    const QString path = sourcePath(QStringLiteral("tests/golden/cli/") + name);
    if (qEnvironmentVariableIntValue("TAVLO_UPDATE_GOLDEN")) {
        writeAll(path, actual);
        return;
    }
    QVERIFY2(QFile::exists(path), qPrintable(QStringLiteral("missing golden file ") + name));
    QCOMPARE(actual, readAll(path));
}

} // namespace

class TestTavloMap : public QObject {
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("status");
        QTest::newRow("Tavlo's page") << "tavlo-own.htm" << 1;
        QTest::newRow("Tavlo's map file") << "tavlo-own.tavl" << 1;
        QTest::newRow("Tavlo's page edited by hand") << "tavlo-edited.htm" << 1;
        QTest::newRow("hand-written") << "handwritten.htm" << 1;
        QTest::newRow("two maps") << "twomaps.htm" << 1;
        QTest::newRow("default, title, onclick") << "extras.htm" << 1;
        QTest::newRow("CR LF, Latin-1") << "crlf-latin1.htm" << 0;
        QTest::newRow("where browsers part") << "browsers.htm" << 1;
    }
    void check()
    {
        QFETCH(QString, page);
        QFETCH(int, status);
        const Run text = tavloMap({QStringLiteral("check"), page});
        QCOMPARE(text.status, status);
        QVERIFY(text.err.isEmpty());
        compareGolden(text.out, page + QStringLiteral(".check.txt"));
        const Run json = tavloMap({QStringLiteral("check"), QStringLiteral("--json"), page});
        QCOMPARE(json.status, status);
        compareGolden(json.out, page + QStringLiteral(".check.json"));
    }

    void import_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("Tavlo's page") << "tavlo-own.htm" << QStringList();
        QTest::newRow("to /dev/stdout") << "tavlo-own.htm" << QStringList{"-o", "/dev/stdout"};
        QTest::newRow("hand-written") << "handwritten.htm" << QStringList();
        QTest::newRow("two maps") << "twomaps.htm" << QStringList{"--map", "town"};
        QTest::newRow("default, title, onclick") << "extras.htm" << QStringList();
        QTest::newRow("CR LF, Latin-1") << "crlf-latin1.htm" << QStringList();
    }
    void import()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, options);
        const Run r = tavloMap(QStringList{QStringLiteral("import"), page} + options);
        QCOMPARE(r.status, 0);
        compareGolden(r.out, page + QStringLiteral(".tavl"));
        compareGolden(r.err, page + QStringLiteral(".import.err"));

        // The editor's own reader opens it, with every area.
        tavlo::ChtmlPage split;
        QCOMPARE(split.parsePage(r.out, page), tavlo::ChtmlPage::Split::Done);
        QVERIFY(tavlo::checkMapTags(r.out).isEmpty());
        const tavlo::MapRead read = tavlo::parseMap(split.htmlMap());
        QCOMPARE(read.status, tavlo::MapRead::Status::Done);
        QCOMPARE(read.areas.size(), r.out.count("<AREA "));
    }

    // import, change one area, apply: only that tag differs; unchanged: the same bytes.
    void applyRoundTrip_data() { import_data(); }
    void applyRoundTrip()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, options);
        QTemporaryDir dir;
        const QString tavl = dir.filePath(QStringLiteral("map.tavl"));
        const QString out = dir.filePath(QStringLiteral("out.htm"));
        const QByteArray original = readAll(pagesDir() + QLatin1Char('/') + page);
        QCOMPARE(tavloMap(QStringList{"import", page, "-o", tavl} + options).status, 0);
        QCOMPARE(tavloMap(QStringList{"apply", tavl, page, "-o", out} + options).status, 0);
        QCOMPARE(readAll(out), original);

        QByteArray map = readAll(tavl);
        const qsizetype href =
            map.indexOf("HREF=\"", map.indexOf("<AREA ", map.indexOf("<AREA ") + 1));
        map.insert(href + 6, "new-");
        writeAll(tavl, map);
        QCOMPARE(tavloMap(QStringList{"apply", tavl, page, "-o", out} + options).status, 0);
        const QByteArray changed = readAll(out);
        qsizetype head = 0;
        while (head < changed.size() && head < original.size() && changed[head] == original[head])
            ++head;
        qsizetype tail = 0;
        while (tail < changed.size() - head && tail < original.size() - head &&
               changed[changed.size() - 1 - tail] == original[original.size() - 1 - tail])
            ++tail;
        const QByteArray was = original.mid(head, original.size() - head - tail);
        const QByteArray now = changed.mid(head, changed.size() - head - tail);
        // The difference lies inside one area tag, which now links to new-...
        const qsizetype tagStart = original.lastIndexOf('<', head);
        QVERIFY(original.mid(tagStart, 5).compare("<area", Qt::CaseInsensitive) == 0);
        QVERIFY2(!was.contains('\n') && !now.contains('\n'), was + " / " + now);
        QVERIFY(changed.indexOf("new-", tagStart) < changed.indexOf('>', tagStart));
        // The editor-file's area keeps its place in the map
        QCOMPARE(changed.count("<AREA") + changed.count("<area"),
                 original.count("<AREA") + original.count("<area"));
    }

    void applyAddsAndRemoves()
    {
        QTemporaryDir dir;
        const QString tavl = dir.filePath(QStringLiteral("map.tavl"));
        const QString out = dir.filePath(QStringLiteral("out.htm"));
        QCOMPARE(tavloMap({"import", "handwritten.htm", "-o", tavl}).status, 0);
        QByteArray map = readAll(tavl);
        const qsizetype first = map.indexOf("<AREA ");
        map.remove(first, map.indexOf('\n', first) + 1 - first); // the docks go
        map.replace("</MAP>",
                    "<AREA SHAPE=\"rect\" COORDS=\"1, 2, 3, 4\" HREF=\"new.htm\">\r\n</MAP>");
        writeAll(tavl, map);
        QCOMPARE(tavloMap({"apply", tavl, "handwritten.htm", "-o", out}).status, 0);
        const QByteArray page = readAll(out);
        QVERIFY(!page.contains("docks.htm"));
        QVERIFY(page.contains("alt=\"Corner\">\n  <area shape=\"rect\" coords=\"1, 2, 3, 4\" "
                              "href=\"new.htm\">\n</map>"));
        QVERIFY(page.contains(
            "<map name=\"harbour\">\n  <area shape=\"circle\" coords=\"400 , 200 , 60\""));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("err"); // part of the error stream; the status is 2
        const auto row = [](const char* name, const QStringList& args, const char* err) {
            QTest::newRow(name) << args << QByteArray(err);
        };
        row("no command", {}, "tavlo-map: no command\n");
        row("unknown command", {"frob"}, "tavlo-map: unknown command 'frob'\n");
        row("unknown option", {"check", "--frob", "x"},
            "tavlo-map: check: unknown option '--frob'\nTry 'tavlo-map --help'");
        row("check nothing", {"check"}, "no file to check");
        row("missing file", {"check", "missing.htm"}, "tavlo-map: missing.htm: no such file\n");
        row("directory", {"check", "images"}, "tavlo-map: images: is a directory\n");
        row("import missing", {"import", "missing.htm"}, "tavlo-map: missing.htm: no such file\n");
        row("several maps", {"import", "twomaps.htm"}, "choose one with --map");
        row("no such map", {"import", "twomaps.htm", "--map", "nope"},
            "tavlo-map: twomaps.htm: no map named \"nope\"\n");
        row("--map without a name", {"import", "twomaps.htm", "--map"},
            "option '--map' needs a value");
        row("apply a page as map file", {"apply", "handwritten.htm", "extras.htm", "-o", "-"},
            "tavlo-map: handwritten.htm: not a Tavlo map file: Copyright tag missing or altered.");
        row("apply to a page without that map",
            {"apply", "tavlo-own.tavl", "crlf-latin1.htm", "-o", "-"},
            "tavlo-map: crlf-latin1.htm: the page has no map named \"harbour\"");
        row("a picture to check", {"check", "images/harbour.gif"},
            "tavlo-map: images/harbour.gif: not an HTML page\n");
        row("a picture among pages", {"check", "extras.htm", "images/townmap.jpg"},
            "tavlo-map: images/townmap.jpg: not an HTML page\n");
        row("info of a page", {"info", "extras.htm"},
            "tavlo-map: extras.htm: not a picture tavlo-map can read\n");
        row("export without a format", {"export", "extras.htm"},
            "tavlo-map: export: say --format svg, html or json");
    }
    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, err);
        const Run r = tavloMap(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(err), r.err);
    }
    // A pipe or device named as a page or picture is refused at once, never read.
    void pipesAreRefused()
    {
        QTemporaryDir dir;
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.htm")).constData(), 0600) == 0);
        for (const char* command : {"check", "import", "info"}) {
            const Run r =
                tavloMap({QString::fromLatin1(command), QStringLiteral("pipe.htm")}, dir.path());
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.startsWith("tavlo-map: pipe.htm: cannot be read: "), r.err);
        }
    }
    void badPages_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("checkStatus");
        QTest::addColumn<QByteArray>("checkOut");
        QTest::addColumn<int>("importStatus");
        QTest::addColumn<QByteArray>("importErr");
        const QByteArray img = "<img src=\"images/harbour.gif\" usemap=\"#m\" alt=\"\">";
        QTest::newRow("no maps") << QByteArray("<p>nothing</p>") << 0 << QByteArray() << 2
                                 << QByteArray("page.htm: the page has no image map\n");
        QTest::newRow("cut short") << img + "<map name=m><area href=a alt=a "
                                            "coords=\"1,2,3,4\"><area shape=\"rect\" coords=\"1,2"
                                   << 1
                                   << QByteArray("page.htm:1:98: error: the page ends inside a "
                                                 "tag, which browsers drop [cut-short]\n")
                                   << 0 << QByteArray();
        QTest::newRow("numbers that overflow")
            << img + "<map name=m><area href=a alt=a coords=\"1e999,0,99999,5\"></map>" << 1
            << QByteArray("[off-image]") << 2
            << QByteArray("area 1 not imported: coordinates beyond the editor's range (-32768 to "
                          "32767)\n");
        QTest::newRow("polygon across 32 bits")
            << img + "<map name=m><area shape=poly href=a alt=a coords=\"-2147483648, 0, "
                     "2147483647, 0, 0, 9\"></map>"
            << 0 << QByteArray("[off-image]") << 2
            << QByteArray("area 1 not imported: coordinates beyond the editor's range (-32768 to "
                          "32767)\n");
        QTest::newRow("PNG picture")
            << QByteArray("<img src=\"pic.png\" usemap=\"#m\" alt=\"\"><map name=m><area "
                          "coords=1,2,3,4 href=a alt=b></map>")
            << 0 << QByteArray() << 2
            << QByteArray(
                   "is not a GIF or JPEG (.gif, .jpg), the only pictures the Tavlo editor opens\n");
        // Checked out without its pictures: import still writes the map.
        QTest::newRow("picture absent, size in the tag")
            << QByteArray("<img src=\"gone.gif\" usemap=\"#m\" alt=\"\" width=320 height=200>"
                          "<map name=m><area coords=1,2,30,40 href=a alt=b></map>")
            << 0 << QByteArray("[missing-picture]") << 0
            << QByteArray(
                   "page.htm:1:1: the picture \"gone.gif\" is not found: its size, 320 x 200, "
                   "is taken from the <img> tag\n");
        QTest::newRow("picture absent, %25 in its name")
            << QByteArray("<img src=\"gone%251.gif\" usemap=\"#m\" alt=\"\" width=320 "
                          "height=200><map name=m><area coords=1,2,30,40 href=a alt=b></map>")
            << 0 << QByteArray("[missing-picture]") << 0
            << QByteArray("the picture \"gone%251.gif\" is not found: its size, 320 x 200, is "
                          "taken from the <img> tag\n");
        QTest::newRow("picture absent, size from the areas")
            << QByteArray("<img src=\"gone.gif\" usemap=\"#m\" alt=\"\" width=50%><map name=m>"
                          "<area coords=1,2,30,40 href=a alt=b><area shape=circle coords=60,20,15 "
                          "href=c alt=d></map>")
            << 0 << QByteArray("[size-not-pixels]") << 0
            << QByteArray(
                   "the picture \"gone.gif\" is not found: its size, 75 x 40, is taken from the "
                   "areas' extent\n");
    }
    void badPages()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, checkStatus);
        QFETCH(QByteArray, checkOut);
        QFETCH(int, importStatus);
        QFETCH(QByteArray, importErr);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("images")));
        QVERIFY(
            QFile::copy(pagesDir() + "/images/harbour.gif", dir.filePath("images/harbour.gif")));
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(dir.filePath("pic.png")));
        writeAll(dir.filePath("page.htm"), page);
        const Run check = tavloMap({"check", "page.htm"}, dir.path());
        QCOMPARE(check.status, checkStatus);
        QVERIFY2(check.out.contains(checkOut), check.out);
        const Run import = tavloMap({"import", "page.htm"}, dir.path());
        QCOMPARE(import.status, importStatus);
        QVERIFY2(import.err.contains(importErr), import.err);
    }

    // "&quot;" meant as text would come back from a Tavlo map as a quote: such an area
    // is left in the page, and said so.
    void entityTextStaysInThePage()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(pagesDir() + "/images/harbour.gif", dir.filePath("harbour.gif")));
        const QByteArray page = "<img src=\"harbour.gif\" usemap=\"#m\"><map name=m>"
                                "<area coords=1,2,3,4 href=a alt=\"&amp;quot;x\">"
                                "<area coords=5,6,7,8 href=\"x&amp;lt;y\" alt=b>"
                                "<area coords=9,9,20,20 href=c alt=c></map>";
        writeAll(dir.filePath("page.htm"), page);
        const Run import = tavloMap({"import", "page.htm", "-o", "map.tavl"}, dir.path());
        QCOMPARE(import.status, 0);
        QCOMPARE(import.err.count("holds &quot;, &lt; or &gt; as text"), 2);
        const Run apply = tavloMap({"apply", "map.tavl", "page.htm", "-o", "-"}, dir.path());
        QCOMPARE(apply.status, 0);
        QCOMPARE(apply.out, page);
    }

    // The picture's folder and name written as the editor writes them.
    void importEncodesThePicturePath()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("p#1%"));
        QVERIFY(QFile::copy(pagesDir() + "/images/harbour.gif", dir.filePath("p#1%/a#b%c d.gif")));
        writeAll(dir.filePath("page.htm"), "<img src=\"p%231%25/a%23b%25c%20d.gif\" usemap=\"#m\">"
                                           "<map name=m><area coords=1,2,3,4 href=a></map>");
        QCOMPARE(tavloMap({"import", "page.htm", "-o", "map.tavl"}, dir.path()).status, 0);
        QVERIFY(readAll(dir.filePath("map.tavl"))
                    .contains(R"(<img src="p%231%25/a%23b%25c d.gif" width=640 height=400 )"));
    }

    // A 50 MB page is read whole, in time, and its map found.
    void largePage()
    {
        QTemporaryDir dir;
        QByteArray page = "<html><body><img src=\"harbour.gif\" usemap=\"#m\" alt=\"\">";
        const QByteArray filler = "<p class=\"x\">Some text of a long page &amp; more.</p>\n";
        page.reserve(50 * 1024 * 1024 + 200);
        while (page.size() < 50 * 1024 * 1024)
            page += filler;
        page += "<map name=\"m\"><area coords=\"1,2,3,4\" href=\"a\"></map></body></html>";
        writeAll(dir.filePath("big.htm"), page);
        QVERIFY(QFile::copy(pagesDir() + "/images/harbour.gif", dir.filePath("harbour.gif")));
        const Run r = tavloMap({"check", "big.htm"}, dir.path());
        QCOMPARE(r.status, 1);
        const QByteArray line = QByteArray::number(page.count('\n') + 1);
        QCOMPARE(r.out, "big.htm:" + line +
                            ":15: error: the area has a link but no alt text [missing-alt]\n");
    }

    void helpAndVersion()
    {
        const Run help = tavloMap({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Usage: tavlo-map COMMAND"));
        const Run version = tavloMap({"--version"});
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith("tavlo-map "));
    }

    void info()
    {
        QTemporaryDir dir;
        QVERIFY(QImage(3, 2, QImage::Format_RGB32).save(dir.filePath("x.ppm")));
        const Run r = tavloMap({"info", pagesDir() + "/images/harbour.gif",
                                pagesDir() + "/images/townmap.jpg", dir.filePath("x.ppm")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, (pagesDir() + "/images/harbour.gif: GIF, 640 x 400\n" + pagesDir() +
                         "/images/townmap.jpg: JPEG, 640 x 400\n" + dir.filePath("x.ppm") +
                         ": PPM, 3 x 2 (from the decoder)\n")
                            .toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestTavloMap)
#include "tst_tavlomap.moc"
