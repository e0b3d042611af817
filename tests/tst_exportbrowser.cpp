// What a real browser makes of the exported SVG and HTML: Chromium, headless, is asked
// which element lies under a point inside each area, with the picture at its own
// width and at half of it (tests/pages/browser/probe.js). Skipped (exit 77) where
// Chromium is not installed.
#include "export/mapexport.h"
#include "support/exportmaps.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

using namespace tavlo;
using namespace tavlo::test;

namespace {

// The harbour map with a last rectangle that lies partly under the first: where two areas
// hold a point the first wins.
ForeignMap withShed(ForeignMap map)
{
    map.areas.append(foreignArea(ForeignShape::Rect, {100, 80, 300, 200}, "shed.htm", "Shed"));
    return map;
}
const QList<Probe> shedProbes =
    harbourProbes + QList<Probe>{{150, 120, "quay.htm"}, {250, 180, "shed.htm"}};

// How Chromium itself reads what the checker says it reads, in a page of ours: an
// exponent is read whole, semicolons separate, and the first default area stays behind
// the areas after it.
const QList<Probe> chromiumProbes = {{150, 30, "exponent.htm"},
                                     {60, 30, "second-default.htm"},
                                     {50, 350, "semicolons.htm"},
                                     {350, 340, "second-default.htm"}};

// The page with the probe script before its </body>, told which box to size, which
// picture scales in it, and the points to ask about.
QByteArray probed(QByteArray page, const QList<Probe>& probes, const QByteArray& box,
                  const QByteArray& picture)
{
    QByteArray points;
    for (const Probe& p : probes)
        points += '[' + QByteArray::number(p.x) + ',' + QByteArray::number(p.y) + "],";
    points.chop(1);
    page.insert(page.lastIndexOf("</body>"),
                "<script id=\"probes\" type=\"application/json\">{\"box\": \"" + box +
                    "\", \"picture\": \"" + picture + "\", \"points\": [" + points +
                    "]}</script>\n<script>\n" + sourceFile("tests/pages/browser/probe.js") +
                    "</script>\n");
    return page;
}

QString chromium()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

} // namespace

Q_DECLARE_METATYPE(tavlo::test::Probe)

class tst_ExportBrowser : public QObject {
    Q_OBJECT

private slots:
    void everyAreaHitAtBothScales_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QList<Probe>>("probes");
        const ForeignPage harbour = harbourPage();
        const ForeignImage image = harbour.images.value(0);
        const auto rows = [&](const char* name, const ForeignMap& map) {
            // The SVG inline in a page of ours, in a box whose width the probe sets.
            QByteArray svg = exportSvg(image, map, image.src, 640, 400);
            svg.remove(0, svg.indexOf("<svg"));
            QTest::addRow("svg, %s", name)
                << probed("<!DOCTYPE html>\n<html><body style=\"margin:0\">\n<div id=\"box\">" +
                              svg + "</div>\n</body></html>\n",
                          shedProbes, "#box", "svg")
                << shedProbes;
            // The exported page itself; its body is the box the picture scales in.
            QTest::addRow("html, %s", name)
                << probed(exportHtml(image, map, image.src, 640, 400), shedProbes, "body", "img")
                << shedProbes;
        };
        rows("default last", withShed(harbour.maps.value(0)));
        // With a second default last, too: the exports keep the first default behind all
        // others and leave the second out, so every click goes where it went before.
        ForeignMap defaultFirst = withShed(defaultFirstMap());
        defaultFirst.areas.append(
            foreignArea(ForeignShape::Default, {}, "elsewhere.htm", "Elsewhere"));
        rows("default first, a second default", defaultFirst);
        QTest::newRow("Chromium's own readings")
            << probed(sourceFile("tests/pages/browser/chromium-readings.htm"), chromiumProbes,
                      "body", "img")
            << chromiumProbes;
    }
    void everyAreaHitAtBothScales()
    {
        QFETCH(QByteArray, page);
        QFETCH(QList<Probe>, probes);
        QTemporaryDir dir;
        QTemporaryDir profile;
        QVERIFY(dir.isValid() && profile.isValid());
        const QString file = writeBesideHarbour(dir, page);

        QProcess browser;
        browser.start(chromium(), {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                   "--no-first-run", "--disable-background-networking",
                                   "--disable-component-update", "--disable-sync",
                                   "--user-data-dir=" + profile.path(), "--window-size=1000,800",
                                   "--virtual-time-budget=3000", "--dump-dom",
                                   QUrl::fromLocalFile(file).toString()});
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
};

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
