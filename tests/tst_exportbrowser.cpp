// What a real browser makes of the exported SVG and HTML: Chromium, headless, is asked
// which element lies under a point inside each area, with the picture at its own
// width and at half of it. Skipped (exit 77) where Chromium is not installed.
#include "export/mapexport.h"
#include "support/exportmaps.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace tavlo;
using namespace tavlo::test;

namespace {

struct Probe {
    int x, y;
    const char* href;
};

// A point inside each area of the harbour map with a last rectangle that lies partly
// under the first, in the picture's pixels, and the link a click there follows: where
// two areas hold a point the first wins, and the default takes what no other holds.
const QList<Probe> harbourProbes = {{120, 110, "quay.htm"},  {480, 120, "light.htm?a=1&b=2"},
                                    {300, 340, "boats.htm"}, {20, 380, "harbour.htm"},
                                    {150, 120, "quay.htm"},  {250, 180, "shed.htm"}};

ForeignMap probedMap()
{
    ForeignMap map = harbourMap();
    map.areas.append(foreignArea(ForeignShape::Rect, {100, 80, 300, 200}, "shed.htm", "Shed"));
    return map;
}

// The same areas with the default first and a second default last: the exports keep the
// first default behind all others and leave the second out, so every click goes where it
// went before, in every browser.
ForeignMap defaultFirstMap()
{
    ForeignMap map = probedMap();
    map.areas.move(3, 0);
    map.areas.append(foreignArea(ForeignShape::Default, {}, "elsewhere.htm", "Elsewhere"));
    return map;
}

// A page of ours, not an export: how Chromium itself reads what the checker says it
// reads. An exponent is read whole, semicolons separate, and the first default area
// stays behind the areas after it.
const QByteArray chromiumReadings =
    "<!DOCTYPE html>\n<html><body style=\"margin:0\">\n"
    "<img src=\"harbour.gif\" width=\"640\" height=\"400\" usemap=\"#m\" alt=\"\">\n"
    "<map name=\"m\">\n"
    "<area shape=\"default\" href=\"first-default.htm\" alt=\"a\">\n"
    "<area shape=\"rect\" coords=\"1.2e2,10,200,60\" href=\"exponent.htm\" alt=\"b\">\n"
    "<area shape=\"rect\" coords=\"20;300;100;380\" href=\"semicolons.htm\" alt=\"c\">\n"
    "<area shape=\"default\" href=\"second-default.htm\" alt=\"d\">\n"
    "<area shape=\"rect\" coords=\"300,300,400,380\" href=\"after-second.htm\" alt=\"e\">\n"
    "</map>\n";
const QList<Probe> chromiumProbes = {{150, 30, "exponent.htm"},
                                     {60, 30, "second-default.htm"},
                                     {50, 350, "semicolons.htm"},
                                     {350, 340, "second-default.htm"}};

// Appended to the page under test: for each scale, sizes the picture's box, then writes "SCALE X,Y
// HREF" for what lies under each point, found with elementFromPoint (an <area> in an image map; a
// shape inside an <a> in SVG).
QByteArray probeScript(const QList<Probe>& probes, const QByteArray& boxSelector,
                       const QByteArray& pictureSelector)
{
    QByteArray points;
    for (const auto& p : probes)
        points += '[' + QByteArray::number(p.x) + ',' + QByteArray::number(p.y) + "],";
    return R"(<script>
(function () {
  var points = [)" +
           points +
           R"(];
  var box = document.querySelector(")" +
           boxSelector + R"(");
  var picture = document.querySelector(")" +
           pictureSelector + R"(");
  var lines = [];
  function probe(scale) {
    var r = picture.getBoundingClientRect();
    var k = r.width / 640;
    points.forEach(function (p) {
      var el = document.elementFromPoint(r.left + p[0] * k, r.top + p[1] * k);
      var link = el && (el.tagName === "AREA" ? el : el.closest("a"));
      var href = link ? link.getAttribute("href") : "none:" + (el ? el.tagName : "");
      lines.push(scale + " " + p[0] + "," + p[1] + " " + encodeURIComponent(href));
    });
  }
  // Headless Chromium draws no frames of its own, so no ResizeObserver fires: the
  // resize event that the page also listens to stands in for it. Layout and hit
  // testing run at once in elementFromPoint.
  function at(scale) {
    box.style.width = (640 * scale / 100) + "px";
    window.dispatchEvent(new Event("resize"));
    probe(scale);
  }
  window.addEventListener("load", function () {
    at(100);
    at(50);
    var out = document.createElement("pre");
    out.id = "hits";
    out.textContent = lines.join("\n");
    document.body.appendChild(out);
  });
})();
</script>
)";
}

QString chromium()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

} // namespace

Q_DECLARE_METATYPE(Probe)

class tst_ExportBrowser : public QObject {
    Q_OBJECT

private slots:
    void everyAreaHitAtBothScales_data();
    void everyAreaHitAtBothScales();
};

void tst_ExportBrowser::everyAreaHitAtBothScales_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QList<Probe>>("probes");
    const ForeignImage image = harbourImage();
    const auto rows = [&](const char* name, const ForeignMap& map) {
        // The SVG inline in a page of ours, in a box whose width the probe sets.
        QByteArray svg = exportSvg(image, map, image.src, 640, 400);
        svg.remove(0, svg.indexOf("<svg"));
        QTest::addRow("svg, %s", name)
            << "<!DOCTYPE html>\n<html><body style=\"margin:0\">\n<div id=\"box\">" + svg +
                   "</div>\n" + probeScript(harbourProbes, "#box", "svg")
            << harbourProbes;

        // The exported page itself; its body is the box the picture scales in.
        QByteArray html = exportHtml(image, map, image.src, 640, 400);
        html.insert(html.lastIndexOf("</body>"), probeScript(harbourProbes, "body", "img"));
        QTest::addRow("html, %s", name) << html << harbourProbes;
    };
    rows("default last", probedMap());
    rows("default first, a second default", defaultFirstMap());
    QTest::newRow("Chromium's own readings")
        << chromiumReadings + probeScript(chromiumProbes, "body", "img") + "</body></html>\n"
        << chromiumProbes;
}

void tst_ExportBrowser::everyAreaHitAtBothScales()
{
    QFETCH(QByteArray, page);
    QFETCH(QList<Probe>, probes);
    QTemporaryDir dir;
    QTemporaryDir profile;
    QVERIFY(dir.isValid() && profile.isValid());
    QVERIFY(QFile::copy(qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/examples/harbour.gif",
                        dir.filePath("harbour.gif")));
    QFile file(dir.filePath("probe.html"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(page) == page.size());
    file.close();

    QProcess browser;
    browser.start(chromium(), {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                               "--no-first-run", "--disable-background-networking",
                               "--disable-component-update", "--disable-sync",
                               "--user-data-dir=" + profile.path(), "--window-size=1000,800",
                               "--virtual-time-budget=3000", "--dump-dom",
                               QUrl::fromLocalFile(file.fileName()).toString()});
    QVERIFY2(browser.waitForFinished(60000), "chromium did not finish within a minute");
    const QByteArray dom = browser.readAllStandardOutput();
    const QRegularExpression hits(QStringLiteral("<pre id=\"hits\">([^<]*)</pre>"));
    const QRegularExpressionMatch found = hits.match(QString::fromUtf8(dom));
    QVERIFY2(found.hasMatch(), dom.right(1500).constData());

    QStringList expected;
    for (int scale : {100, 50}) {
        for (const auto& p : probes)
            expected << QStringLiteral("%1 %2,%3 %4").arg(scale).arg(p.x).arg(p.y).arg(p.href);
    }
    QStringList seen;
    for (const QString& line : found.captured(1).split('\n')) {
        const qsizetype blank = line.lastIndexOf(' ');
        seen << line.left(blank + 1) + QString::fromUtf8(QByteArray::fromPercentEncoding(
                                           line.mid(blank + 1).toUtf8()));
    }
    QCOMPARE(seen, expected);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (chromium().isEmpty()) {
        std::puts("SKIP: chromium is not installed, so no browser checks the exported maps "
                  "(tools/deps.sh installs it)");
        return 77;
    }
    tst_ExportBrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exportbrowser.moc"
