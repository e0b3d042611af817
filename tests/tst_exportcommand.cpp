#include "cli/commands.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;

namespace {

QByteArray sourceFile(const QString& name)
{
    QFile file(qEnvironmentVariable("TAVLO_SOURCE_DIR") + '/' + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing %s", qPrintable(name));
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

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
    const QByteArray harbourPage = sourceFile("tests/golden/export/harbour-page.htm");
    writeFile("harbour.htm", harbourPage);
    writeFile("harbour.gif", sourceFile("examples/harbour.gif"));
    writeFile("nomap.htm", nomapPage);
    writeFile("sizeless.htm", sizelessPage);
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
    const QString svg = "harbour.svg";

    QTest::newRow("svg to standard output")
        << QStringList{"harbour.htm", "--format", "svg"} << 0 << svg << "";
    QTest::newRow("html to a file")
        << QStringList{"harbour.htm", "--format", "html", "-o", "out.html"} << 0 << "harbour.html"
        << "";
    QTest::newRow("json, options first, - for standard output")
        << QStringList{"--format=json", "-o", "-", "harbour.htm"} << 0 << "harbour.json"
        << "";
    QTest::newRow("named map") << QStringList{"harbour.htm", "--format", "svg", "--map", "harbour"}
                               << 0 << svg << "";
    QTest::newRow("unknown map name")
        << QStringList{"harbour.htm", "--format", "svg", "--map", "sea"} << 2 << ""
        << "tavlo-map: harbour.htm: no map named \"sea\"";
    QTest::newRow("page without maps") << QStringList{"nomap.htm", "--format", "svg"} << 2 << ""
                                       << "tavlo-map: nomap.htm: no image map in this page";
    QTest::newRow("picture of no known size")
        << QStringList{"sizeless.htm", "--format", "json"} << 2 << ""
        << "tavlo-map: sizeless.htm: cannot tell the size of the picture \"gone.gif\": its "
           "file cannot be read and the <img> tag gives no width and height";
    QTest::newRow("missing page") << QStringList{"gone.htm", "--format", "svg"} << 2 << ""
                                  << "tavlo-map: gone.htm: no such file";
    QTest::newRow("a directory") << QStringList{"folder.htm", "--format", "svg"} << 2 << ""
                                 << "tavlo-map: folder.htm: is a directory";
    QTest::newRow("output into a missing folder")
        << QStringList{"harbour.htm", "--format", "svg", "-o", "nowhere/out.svg"} << 2 << ""
        << "tavlo-map: nowhere/out.svg: ";
    QTest::newRow("no format") << QStringList{"harbour.htm"} << 2 << ""
                               << "tavlo-map: export: say --format svg, html or json";
    QTest::newRow("unknown format")
        << QStringList{"harbour.htm", "--format", "png"} << 2 << ""
        << "tavlo-map: export: unknown format 'png' (svg, html or json)";
    QTest::newRow("format twice") << QStringList{"harbour.htm", "--format", "svg", "--format=json"}
                                  << 2 << ""
                                  << "tavlo-map: export: option '--format' given twice";
    QTest::newRow("no page") << QStringList{"--format", "svg"} << 2 << ""
                             << "tavlo-map: export: give exactly one file to export";
    QTest::newRow("two pages") << QStringList{"harbour.htm", "nomap.htm", "--format", "svg"} << 2
                               << ""
                               << "tavlo-map: export: give exactly one file to export";
    QTest::newRow("unknown option")
        << QStringList{"harbour.htm", "--format", "svg", "--fast"} << 2 << ""
        << "tavlo-map: export: unknown option '--fast'";
    QTest::newRow("option without value") << QStringList{"harbour.htm", "--format"} << 2 << ""
                                          << "tavlo-map: export: option '--format' needs a value";
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
        QFile written("out.html");
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected);
        QVERIFY(out.data().isEmpty());
    } else {
        QCOMPARE(out.data(), expected);
    }
}

QTEST_GUILESS_MAIN(tst_ExportCommand)
#include "tst_exportcommand.moc"
