#include "cli/commands.h"
#include "support/files.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;
using tavlo::test::readAll;
using tavlo::test::sourceFile;
using tavlo::test::writeAll;

namespace {

const QByteArray nomapPage = "<!DOCTYPE html><p>No map here.</p>\n";
const QByteArray sizelessPage =
    "<img src=\"gone.gif\" usemap=\"#m\"><map name=\"m\"><area shape=\"rect\" "
    "coords=\"0,0,5,5\" href=\"a.htm\" alt=\"A\"></map>\n";

} // namespace

class tst_ExportCommand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void runs_data();
    void runs();

private:
    QTemporaryDir m_dir;
    QString m_startFolder;
};

// The command runs in a folder of its own with the harbour page and its picture, and
// is given relative names, as a user types them.
void tst_ExportCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    writeAll("harbour.htm", sourceFile("tests/golden/export/harbour-page.htm"));
    writeAll("harbour.gif", sourceFile("examples/harbour.gif"));
    writeAll("nomap.htm", nomapPage);
    writeAll("sizeless.htm", sizelessPage);
    writeAll("wholly-default.htm", "<img src=\"gone.gif\" usemap=\"#m\"><map name=\"m\"><area "
                                   "shape=\"default\" href=\"a.htm\" alt=\"A\"></map>\n");
    QVERIFY(QDir().mkdir("folder.htm"));
}

void tst_ExportCommand::cleanupTestCase()
{
    QDir::setCurrent(m_startFolder);
}

void tst_ExportCommand::runs_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // golden file expected on stdout or in out.*
    QTest::addColumn<QString>("error");  // first line on the error stream
    const auto writes = [](const char* name, const QStringList& args, const char* golden) {
        QTest::newRow(name) << args << 0 << QString(golden) << QString();
    };
    const auto fails = [](const char* name, const QStringList& args, const char* error) {
        QTest::newRow(name) << args << 2 << QString() << "tavlo-map: " + QString(error);
    };
    writes("svg to standard output", {"harbour.htm", "--format", "svg"}, "harbour.svg");
    writes("html to a file", {"harbour.htm", "--format", "html", "-o", "out.html"}, "harbour.html");
    writes("json, options first, - for standard output",
           {"--format=json", "-o", "-", "harbour.htm"}, "harbour.json");
    writes("named map", {"harbour.htm", "--format", "svg", "--map", "harbour"}, "harbour.svg");
    fails("unknown map name", {"harbour.htm", "--format", "svg", "--map", "sea"},
          "harbour.htm: no map named \"sea\"");
    fails("page without maps", {"nomap.htm", "--format", "svg"},
          "nomap.htm: no image map in this page");
    QTest::newRow("picture absent: the areas' extent, said")
        << QStringList{"sizeless.htm", "--format", "json"} << 0 << QString("sizeless.json")
        << QString("tavlo-map: sizeless.htm: the picture \"gone.gif\" cannot be read: its size, "
                   "5 x 5, is taken from the areas' extent\n");
    fails("picture of no known size", {"wholly-default.htm", "--format", "json"},
          "wholly-default.htm: cannot tell the size of the picture \"gone.gif\": its file "
          "cannot be read, and neither the <img> tag nor the areas give a width and height");
    fails("missing page", {"gone.htm", "--format", "svg"}, "gone.htm: no such file");
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
    fails("unknown option", {"harbour.htm", "--format", "svg", "--fast"},
          "export: unknown option '--fast'");
    fails("option without value", {"harbour.htm", "--format"},
          "export: option '--format' needs a value");
}

void tst_ExportCommand::runs()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFile::remove("out.html");
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);

    QCOMPARE(runExport(args, out, err), status);
    QVERIFY2(err.data().startsWith(error.toUtf8()), err.data().constData());
    QCOMPARE(err.data().isEmpty(), error.isEmpty());
    const QByteArray expected =
        output.isEmpty() ? QByteArray() : sourceFile("tests/golden/export/" + output);
    if (args.contains("out.html")) {
        QCOMPARE(readAll("out.html"), expected);
        QVERIFY(out.data().isEmpty());
    } else {
        QCOMPARE(out.data(), expected);
    }
}

QTEST_GUILESS_MAIN(tst_ExportCommand)
#include "tst_exportcommand.moc"
