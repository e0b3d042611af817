// tavlo-map itself, run as a user runs it: exit codes, output, golden files.
#include "support/files.h"
#include "tavlofile/filekinds.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using tavlo::test::readAll;
using tavlo::test::sourceFile;
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

Run tavloMap(const QStringList& args, const QString& folder = pagesDir(),
             const QByteArray& input = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(TAVLO_MAP_BINARY), args);
    p.write(input);
    p.closeWriteChannel();
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

// A file of the test's own, its folder made as needed.
void put(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    writeAll(path, bytes);
}

// The lines of tavlo-map codes: code, level and description, split by tabs.
QByteArrayList findingCodes()
{
    QByteArrayList codes = tavloMap({QStringLiteral("codes")}).out.split('\n');
    codes.removeAll(QByteArray());
    return codes;
}

} // namespace

class TestTavloMap : public QObject {
    Q_OBJECT

private slots:
    // tests/pages/cli: a site (pages in folders, a picture addressed from the site's root,
    // a link out), the export command's pages, and in bad/ pages import or check refuse.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString d = m_dir.path();
        const QString fixtures = pagesDir() + "/cli";
        QDirIterator it(fixtures, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            put(d + file.mid(fixtures.size()), readAll(file));
        }
        const QByteArray picture = readAll(pagesDir() + "/images/harbour.gif");
        for (const char* name : {"/site/img/h.gif", "/bad/images/harbour.gif", "/harbour.gif"})
            put(d + name, picture);
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(d + "/bad/pic.png"));
        QVERIFY(QFile::link(d + "/outside.htm", d + "/site/link.htm"));
        QVERIFY(QFile::link(d + "/linked/page.htm", d + "/linked/alias.htm"));
        QVERIFY(QFile::link(d + "/outside.htm", d + "/linked/out.htm"));
        put(d + "/harbour.htm", sourceFile("tests/golden/export/harbour-page.htm"));
        QVERIFY(QDir().mkpath(d + "/folder.htm"));
    }

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
        QTest::newRow("a map for each finding") << "findings.htm" << 1;
        QTest::newRow("coords browsers read alike and apart") << "coords.htm" << 1;
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
        QVERIFY(!read.refused && !read.noCoords);
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
        row("a value for a flag", {"check", "--json=yes", "extras.htm"},
            "tavlo-map: check: unexpected value after '--json'\n");
        row("codes with an operand", {"codes", "x"}, "tavlo-map: codes: takes no operands ('x')");
        row("several maps", {"import", "twomaps.htm"}, "choose one with --map");
        row("no such map", {"import", "twomaps.htm", "--map", "nope"},
            "tavlo-map: twomaps.htm: no map named \"nope\"\n");
        row("apply a page as map file", {"apply", "handwritten.htm", "extras.htm", "-o", "-"},
            "tavlo-map: handwritten.htm: not a Tavlo map file: Copyright tag missing or altered.");
        row("apply to a page without that map",
            {"apply", "tavlo-own.tavl", "crlf-latin1.htm", "-o", "-"},
            "tavlo-map: crlf-latin1.htm: the page has no map named \"harbour\"");
        row("info of a page", {"info", "extras.htm"},
            "tavlo-map: extras.htm: not a picture tavlo-map can read\n");
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
    // Bytes that are no page are refused whatever their name says; a page may hold any
    // other byte.
    void notAPage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("refused");
        QTest::newRow("page") << QByteArray("<html><body>hi</body></html>") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("Latin-1 bytes") << QByteArray("<p>caf\xe9 \x81\xff</p>") << false;
        QTest::newRow("UTF-16 with its mark") << QByteArray("\xff\xfe<\0h\0", 6) << false;
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n") << true;
        QTest::newRow("NUL in the first 8 KiB")
            << QByteArray(8000, 'a') + QByteArray(1, '\0') << true;
        QTest::newRow("NUL after 8 KiB") << QByteArray(8192, 'a') + QByteArray(1, '\0') << false;
        QTest::newRow("a page that starts GIF") << QByteArray("GIF files, a page") << false;
    }
    void notAPage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, refused);
        writeAll(m_dir.filePath("maybe.htm"), bytes);
        const Run r = tavloMap({"check", "maybe.htm"}, m_dir.path());
        QCOMPARE(r.err, refused ? "tavlo-map: maybe.htm: not an HTML page\n" : "");
        QCOMPARE(r.status == 2, refused);
    }

    void badPages_data()
    {
        QTest::addColumn<int>("checkStatus");
        QTest::addColumn<QByteArray>("checkOut"); // part of check's output
        QTest::addColumn<int>("importStatus");
        QTest::addColumn<QByteArray>("importErr"); // part of import's error stream
        // The row names the page in tests/pages/cli/bad.
        const auto row = [](const char* page, int checkStatus, const QByteArray& checkOut,
                            int importStatus, const QByteArray& importErr) {
            QTest::newRow(page) << checkStatus << checkOut << importStatus << importErr;
        };
        const QByteArray range =
            "area 1 not imported: coordinates beyond the editor's range (-32768 to 32767)\n";
        row("no-maps.htm", 0, "", 2, "no-maps.htm: the page has no image map\n");
        row("numbers-that-overflow.htm", 1, "[off-image]", 2, range);
        row("polygon-across-32-bits.htm", 0, "[off-image]", 2, range);
        row("png-picture.htm", 0, "", 2,
            "is not a GIF or JPEG (.gif, .jpg), the only pictures the Tavlo editor opens\n");
        // Checked out without its pictures: import still writes the map.
        row("picture-absent-percent-in-name.htm", 0, "[missing-picture]", 0,
            "picture-absent-percent-in-name.htm:1:1: the picture \"gone%251.gif\" is not found: "
            "its size, 320 x 200, is taken from the <img> tag\n");
        row("picture-absent-size-from-areas.htm", 0, "[size-not-pixels]", 0,
            "the picture \"gone.gif\" is not found: its size, 75 x 40, is taken from the areas' "
            "extent\n");
    }
    void badPages()
    {
        QFETCH(int, checkStatus);
        QFETCH(QByteArray, checkOut);
        QFETCH(int, importStatus);
        QFETCH(QByteArray, importErr);
        const QString page = QString::fromLatin1(QTest::currentDataTag());
        const Run check = tavloMap({"check", page}, m_dir.filePath("bad"));
        QCOMPARE(check.status, checkStatus);
        QVERIFY2(check.out.contains(checkOut), check.out);
        const Run import = tavloMap({"import", page}, m_dir.filePath("bad"));
        QCOMPARE(import.status, importStatus);
        QVERIFY2(import.err.contains(importErr), import.err);
    }

    // "&quot;" meant as text would come back from a Tavlo map as a quote: such an area
    // is left in the page, and said so.
    void entityTextStaysInThePage()
    {
        const Run import =
            tavloMap({"import", "entities.htm", "-o", "entities.tavl"}, m_dir.path());
        QCOMPARE(import.status, 0);
        QCOMPARE(import.err.count("holds &quot;, &lt; or &gt; as text"), 2);
        const Run apply =
            tavloMap({"apply", "entities.tavl", "entities.htm", "-o", "-"}, m_dir.path());
        QCOMPARE(apply.status, 0);
        QCOMPARE(apply.out, readAll(m_dir.filePath("entities.htm")));
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

    // A 50 MB page is read whole and its map found. The time it takes is
    // bench_mapcheck's to measure; a sanitizer build needs more than the default limit.
    void largePage()
    {
        QByteArray page = "<html><body><img src=\"harbour.gif\" usemap=\"#m\" alt=\"\">";
        const QByteArray filler = "<p class=\"x\">Some text of a long page &amp; more.</p>\n";
        page.reserve(50 * 1024 * 1024 + 200);
        while (page.size() < 50 * 1024 * 1024)
            page += filler;
        page += "<map name=\"m\"><area coords=\"1,2,3,4\" href=\"a\"></map></body></html>";
        writeAll(m_dir.filePath("big.htm"), page);
        const Run r = tavloMap({"check", "--timeout", "600", "big.htm"}, m_dir.path());
        QCOMPARE(r.status, 1);
        const QByteArray line = QByteArray::number(page.count('\n') + 1);
        QCOMPARE(r.out, "big.htm:" + line +
                            ":15: error: the area has a link but no alt text [missing-alt]\n");
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("program") << QStringList{"--help"} << QByteArray("Usage: tavlo-map COMMAND");
        QTest::newRow("version") << QStringList{"--version"} << QByteArray("tavlo-map ");
        for (const char* command : {"check", "import", "apply", "export", "info", "codes"})
            QTest::newRow(command)
                << QStringList{command, "-h"} << "Usage: tavlo-map " + QByteArray(command);
        QTest::newRow("help among other words")
            << QStringList{"check", "--json", "page.htm", "--help"}
            << QByteArray("Usage: tavlo-map check");
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, start);
        const Run r = tavloMap(args);
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(start), r.out);
    }

    void info()
    {
        const QString ppm = m_dir.filePath("x.ppm");
        QVERIFY(QImage(3, 2, QImage::Format_RGB32).save(ppm));
        const Run r = tavloMap({"info", "images/harbour.gif", "images/townmap.jpg", ppm});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 "images/harbour.gif: GIF, 640 x 400\nimages/townmap.jpg: JPEG, 640 x 400\n" +
                     ppm.toUtf8() + ": PPM, 3 x 2 (from the decoder)\n");
    }

    // What a CI pipeline asks of check: levels, formats, whole sites, several inputs.
    void ciRuns_data()
    {
        QTest::addColumn<QStringList>("args"); // after "check"
        QTest::addColumn<QByteArray>("input"); // standard input
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // all of standard output
        QTest::addColumn<QByteArray>("err"); // all of the error stream
        const auto row = [](const char* name, const QStringList& args, int status,
                            const QByteArray& out, const QByteArray& err = {},
                            const QByteArray& input = {}) {
            QTest::newRow(name) << args << input << status << out << err;
        };
        // Whole outputs too long for a row, in tests/pages/cli-out.
        const auto expected = [](const char* name) {
            return sourceFile(QStringLiteral("tests/pages/cli-out/") + QLatin1String(name));
        };
        const QByteArray a3 = "site/a.htm:3:1: error: the area has a link but no alt text "
                              "[missing-alt]\n";
        const QByteArray a4 = "site/a.htm:4:1: warning: the link is empty (\"#\") [empty-href]\n";
        const QByteArray c2 = "site/c.htm:2:1: error: usemap \"#none\" names no map [no-map]\n";
        const QByteArray noMap = "error: usemap \"#none\" names no map [no-map]\n";
        row("a site, its root given", {"--root", "site", "site"}, 1, a3 + a4 + c2);
        row("links followed inside the folder only", {"--root=site/", "linked"}, 1,
            "linked/alias.htm:2:1: " + noMap + "linked/page.htm:2:1: " + noMap);
        row("without the root, /img is looked for at /", {"site/c.htm"}, 1,
            c2 + "site/c.htm:2:1: warning: the picture /img/h.gif is not found "
                 "[missing-picture]\n");
        row("ignored codes", {"--root", "site", "--ignore", "missing-alt,no-map", "site"}, 0, a4);
        row("a warning made an error", {"--root", "site", "--error=empty-href", "site/a.htm"}, 1,
            a3 + "site/a.htm:4:1: error: the link is empty (\"#\") [empty-href]\n");
        row("errors made warnings",
            {"--root", "site", "--warning", "missing-alt", "--warning", "no-map", "site"}, 0,
            "site/a.htm:3:1: warning: the area has a link but no alt text [missing-alt]\n" + a4 +
                "site/c.htm:2:1: warning: usemap \"#none\" names no map [no-map]\n");
        row("quiet", {"--root", "site", "--quiet", "site"}, 1, a3 + c2);
        row("warnings within --max-warnings",
            {"--root", "site", "--ignore", "missing-alt,no-map", "--max-warnings", "1", "site"}, 0,
            a4);
        row("warnings past --max-warnings, quiet",
            {"--root", "site", "--ignore", "missing-alt,no-map", "--max-warnings=0", "--quiet",
             "site"},
            1, {}, "tavlo-map: check: 1 warnings, more than --max-warnings 0 allows\n");
        // A message may quote a "%1" of the page.
        row("a message with %1", {"odd"}, 1,
            "odd/a,b:c.htm:1:1: error: usemap \"#50%1\noff\" names no map [no-map]\n");
        row("GitHub workflow commands", {"--root", "site", "--format", "github", "site"}, 1,
            expected("github.txt"));
        row("GitHub escapes", {"--format=github", "odd"}, 1, expected("github-escapes.txt"));
        row("JSON with its version", {"--format", "json", "--root", "site", "site/c.htm"}, 1,
            expected("c.json"));
        row("a page on standard input", {"--root", "site", "-"}, 1, "<stdin>:2:1: " + noMap, {},
            readAll(pagesDir() + "/cli/site/c.htm"));
        row("names from a list on standard input",
            {"--root", "site", "--files-from", "-", "site/c.htm"}, 1, c2 + a3 + a4, {},
            "site/a.htm\r\n\nsite/sub/b.html\n");
        row("a missing file among pages with errors",
            {"--root", "site", "gone.htm", "site/c.htm", "--timeout", "60"}, 2, c2,
            "tavlo-map: gone.htm: no such file\n");
        row("pages read whole only when they may hold a finding", {"cut.htm", "upper.htm"}, 1,
            "cut.htm:1:12: error: the page ends inside a tag, which browsers drop [cut-short]\n"
            "upper.htm:1:1: error: usemap \"#X\" names no map [no-map]\n");
        row("a folder without pages", {"site/img"}, 2, {},
            "tavlo-map: site/img: no pages or map files in this folder\n");
        const QByteArray usage = "Try 'tavlo-map --help' for more information.\n";
        row("an unknown code", {"--ignore", "missing-alt,nope", "site"}, 2, {},
            "tavlo-map: check: unknown finding code 'nope' (see 'tavlo-map codes')\n" + usage);
        row("an unknown format", {"--format", "xml", "site"}, 2, {},
            "tavlo-map: check: unknown format 'xml' (text, json, sarif or github)\n" + usage);
        row("one code at two levels", {"--error", "no-map", "--warning=no-map", "site"}, 2, {},
            "tavlo-map: check: 'no-map' is named by both --error and --warning\n" + usage);
        row("a bad --max-warnings", {"--max-warnings", "-1", "site"}, 2, {},
            "tavlo-map: check: --max-warnings wants a whole number, not '-1'\n" + usage);
    }
    void ciRuns()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const Run r = tavloMap(QStringList{"check"} + args, m_dir.path(), input);
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err);
        QCOMPARE(r.status, status);
    }

    // The members of SARIF 2.1.0 that its schema requires, and those GitHub code
    // scanning reads.
    void sarif()
    {
        const Run r =
            tavloMap({"check", "--format", "sarif", "--root", "site", "site"}, m_dir.path());
        QCOMPARE(r.status, 1);
        QJsonParseError error;
        const QJsonObject log = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(log["version"].toString(), "2.1.0");
        QVERIFY(log["$schema"].toString().contains("sarif-2.1.0"));
        QCOMPARE(log["runs"].toArray().size(), 1);
        const QJsonValue run = log["runs"][0];
        QCOMPARE(run["tool"]["driver"]["name"].toString(), "tavlo-map");
        const QJsonArray rules = run["tool"]["driver"]["rules"].toArray();
        const QByteArrayList codes = findingCodes();
        QCOMPARE(rules.size(), codes.size());
        for (qsizetype i = 0; i < rules.size(); ++i) {
            const QString rule = rules[i]["id"].toString() + '\t' +
                                 rules[i]["defaultConfiguration"]["level"].toString() + '\t' +
                                 rules[i]["shortDescription"]["text"].toString();
            QCOMPARE(rule.toUtf8(), codes[i]);
        }
        QStringList seen;
        for (const QJsonValue result : run["results"].toArray()) {
            QVERIFY(!result["message"]["text"].toString().isEmpty());
            const int index = result["ruleIndex"].toInt(-1);
            QVERIFY(index >= 0 && index < rules.size());
            QCOMPARE(rules[index]["id"], result["ruleId"]);
            const QJsonValue where = result["locations"][0]["physicalLocation"];
            seen << QStringLiteral("%1:%2:%3:%4:%5")
                        .arg(where["artifactLocation"]["uri"].toString())
                        .arg(where["region"]["startLine"].toInt())
                        .arg(where["region"]["startColumn"].toInt())
                        .arg(result["ruleId"].toString(), result["level"].toString());
        }
        QCOMPARE(seen,
                 QStringList({"site/a.htm:3:1:missing-alt:error",
                              "site/a.htm:4:1:empty-href:warning", "site/c.htm:2:1:no-map:error"}));
    }

    // The manual and check's help list every finding code at its level, the manual no other.
    void codesListed()
    {
        const QByteArray help = tavloMap({"check", "--help"}).out.simplified();
        QByteArrayList codes;
        for (const QByteArray& code : findingCodes()) {
            QVERIFY2(help.contains(code.simplified()), code);
            codes << code.left(code.lastIndexOf('\t'));
        }
        const QByteArray page = sourceFile("docs/man/tavlo-map.1");
        const qsizetype start = page.indexOf("\n.SH FINDING CODES\n");
        QVERIFY(start > 0);
        const QByteArray section = page.mid(start, page.indexOf("\n.SH ", start + 1) - start);
        QByteArrayList listed;
        const QByteArrayList lines = section.split('\n');
        for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
            if (lines[i] == ".TP" && lines[i + 1].startsWith(".B ")) {
                const QByteArray level = lines[i + 2].mid(1, lines[i + 2].indexOf(')') - 1);
                listed << lines[i + 1].mid(3).replace("\\-", "-") + '\t' + level;
            }
        }
        QCOMPARE(listed, codes);
    }

    // A page nested too deep for the parser to finish in time is given up, and the
    // other pages of the run are still checked.
    void tooComplex()
    {
        QByteArray page = "<img src=x.gif usemap=#m alt=x>";
        page.reserve(2000000);
        for (int i = 0; i < 200000; ++i)
            page += "<div>";
        writeAll(m_dir.filePath("deep.htm"), page);
        QElapsedTimer clock;
        clock.start();
        const Run r = tavloMap({"check", "--timeout", "1", "deep.htm", "site/c.htm"}, m_dir.path());
        QVERIFY2(clock.elapsed() < 30000, QByteArray::number(clock.elapsed()));
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, "tavlo-map: deep.htm: too complex to check within 1 seconds\n");
        QVERIFY2(r.out.startsWith("site/c.htm:2:1: error: usemap"), r.out);
    }

    // The pre-commit hook runs on the files a folder's walk checks.
    void hookFiles()
    {
        const QByteArray hooks = sourceFile(".pre-commit-hooks.yaml");
        const qsizetype at = hooks.indexOf("files: '") + 8;
        QVERIFY(at > 8);
        const QRegularExpression files(
            QString::fromUtf8(hooks.mid(at, hooks.indexOf('\'', at) - at)));
        QVERIFY(files.isValid());
        for (const char* name : {"a.htm", "b/a.HTML", "a.shtml", "a.xhtml", "a.asp", "m.tavl",
                                 "a.txt", "a.gif", "a.htm.bak", "html.md", "a.php"})
            QCOMPARE(files.match(QString::fromLatin1(name)).hasMatch(),
                     tavlo::isPageName(QString::fromLatin1(name)));
    }

    // The export command, run in a folder of its own with relative names.
    void exportRuns_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");   // golden file expected on stdout or in out.html
        QTest::addColumn<QByteArray>("error"); // first line on the error stream
        const auto writes = [](const char* name, const QStringList& args, const char* golden) {
            QTest::newRow(name) << args << 0 << QString(golden) << QByteArray();
        };
        const auto fails = [](const char* name, const QStringList& args, const char* error) {
            QTest::newRow(name) << args << 2 << QString() << "tavlo-map: " + QByteArray(error);
        };
        writes("svg to standard output", {"harbour.htm", "--format", "svg"}, "harbour.svg");
        writes("html to a file", {"harbour.htm", "--format", "html", "-o", "out.html"},
               "harbour.html");
        writes("json, options first, - for standard output",
               {"--format=json", "-o", "-", "harbour.htm"}, "harbour.json");
        writes("named map", {"harbour.htm", "--format", "svg", "--map", "harbour"}, "harbour.svg");
        fails("unknown map name", {"harbour.htm", "--format", "svg", "--map", "sea"},
              "harbour.htm: no map named \"sea\"");
        fails("page without maps", {"nomap.htm", "--format", "svg"},
              "nomap.htm: no image map in this page");
        QTest::newRow("picture absent: the areas' extent, said")
            << QStringList{"sizeless.htm", "--format", "json"} << 0 << QString("sizeless.json")
            << QByteArray("tavlo-map: sizeless.htm: the picture \"gone.gif\" cannot be read: its "
                          "size, 5 x 5, is taken from the areas' extent\n");
        fails("picture of no known size", {"wholly-default.htm", "--format", "json"},
              "wholly-default.htm: cannot tell the size of the picture \"gone.gif\": its file "
              "cannot be read, and neither the <img> tag nor the areas give a width and height");
        fails("a directory", {"folder.htm", "--format", "svg"}, "folder.htm: is a directory");
        fails("output into a missing folder",
              {"harbour.htm", "--format", "svg", "-o", "nowhere/out.svg"}, "nowhere/out.svg: ");
        fails("no format", {"harbour.htm"}, "export: say --format svg, html or json");
        fails("unknown format", {"harbour.htm", "--format", "png"},
              "export: unknown format 'png' (svg, html or json)");
        fails("format twice", {"harbour.htm", "--format", "svg", "--format=json"},
              "export: option '--format' given twice");
        fails("no page", {"--format", "svg"}, "export: give exactly one file to export");
        fails("two pages", {"harbour.htm", "nomap.htm", "--format", "svg"},
              "export: give exactly one file to export");
        fails("option without value", {"harbour.htm", "--format"},
              "export: option '--format' needs a value");
    }
    void exportRuns()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QByteArray, error);
        QFile::remove(m_dir.filePath("out.html"));
        const Run r = tavloMap(QStringList{"export"} + args, m_dir.path());
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.startsWith(error), r.err);
        QCOMPARE(r.err.isEmpty(), error.isEmpty());
        const QByteArray expected =
            output.isEmpty() ? QByteArray() : sourceFile("tests/golden/export/" + output);
        QCOMPARE(args.contains("out.html") ? readAll(m_dir.filePath("out.html")) : r.out, expected);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTavloMap)
#include "tst_tavlomap.moc"
