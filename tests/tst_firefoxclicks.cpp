// Where clicks go in Firefox: Debian's Firefox ESR, driven over WebDriver BiDi by
// tests/firefox/clicks.mjs, clicks into maps whose coords it reads otherwise than
// Chromium and into an exported map whose default area came first. The checker's model
// of Firefox's reading decides where each click is expected. Skipped (exit 77) where
// Firefox or the script's packages are not installed (tools/deps.sh firefox).
#include "export/mapexport.h"
#include "html/coordsreading.h"
#include "support/exportmaps.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace tavlo;
using namespace tavlo::test;

namespace {

constexpr int side = 200; // each case's picture, in CSS pixels

QString firefox()
{
    return QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
}

QString scriptDir()
{
    return qEnvironmentVariable("TAVLO_SOURCE_DIR") + QStringLiteral("/tests/firefox");
}

template <typename T> std::optional<QRect> rectOf(const QList<T>& c)
{
    if (c.size() < 4)
        return std::nullopt;
    const auto at = [&](int i) { return int(qBound<double>(-1e6, c[i], 1e6)); };
    return QRect(QPoint(std::min(at(0), at(2)), std::min(at(1), at(3))),
                 QPoint(std::max(at(0), at(2)), std::max(at(1), at(3))));
}

// Inside r by 2 pixels at least, or outside by as much, so that no edge rule matters.
bool wellInside(const QRect& r, QPoint p)
{
    return p.x() >= r.left() + 2 && p.x() <= r.right() - 2 && p.y() >= r.top() + 2 &&
           p.y() <= r.bottom() - 2;
}
bool wellOutside(const std::optional<QRect>& r, QPoint p)
{
    return !r || !r->adjusted(-2, -2, 2, 2).contains(p);
}

// Points of the picture where Firefox's rectangle and the HTML one part, each with
// whether Firefox follows the link there.
QList<std::pair<QPoint, bool>> probesFor(const QByteArray& coords)
{
    const std::optional<QRect> ff = rectOf(firefoxCoords(coords));
    const std::optional<QRect> html = rectOf(parseNumberList(coords));
    std::optional<QPoint> in, out;
    for (int y = 3; y < side - 3; y += 3) {
        for (int x = 3; x < side - 3; x += 3) {
            const QPoint p(x, y);
            if (!in && ff && wellInside(*ff, p))
                in = p;
            if (!out && html && wellInside(*html, p) && wellOutside(ff, p))
                out = p;
        }
    }
    QList<std::pair<QPoint, bool>> probes;
    if (in)
        probes.append({*in, true});
    if (out)
        probes.append({*out, false});
    return probes;
}

} // namespace

class tst_FirefoxClicks : public QObject {
    Q_OBJECT

private slots:
    void clicks();
};

void tst_FirefoxClicks::clicks()
{
    QByteArray page = "<!DOCTYPE html>\n<html><body>\n";
    QByteArray probes;
    QStringList expected;
    const auto click = [&](const QByteArray& id, int x, int y, const QString& href) {
        probes += "[\"" + id + "\"," + QByteArray::number(x) + ',' + QByteArray::number(y) + "],";
        expected
            << QStringLiteral("%1 %2 %3 %4").arg(QString::fromLatin1(id)).arg(x).arg(y).arg(href);
    };
    const auto picture = [&](const QByteArray& id, const QByteArray& areas) {
        page += "<img id=\"" + id +
                "\" src=\"harbour.gif\" width=\"200\" height=\"200\" usemap=\"#" + id +
                "\" alt=\"\"><map name=\"" + id + "\">" + areas + "</map>\n";
    };
    // Rectangles as in the checker's table; each gets its own picture and map.
    const QList<QByteArray> cases = {
        "20,30,120,90",   "1.2e2,10,190,60",      ".5,10,x20,60",    ",20,30,120,90",
        "20,,30,120,90",  "20, ,30,120,90",       "20;30;120;90",    "20,30,4294967416,90",
        "+20,+30,120,90", "20px,30px,120px,90px", "20%,30,120%,90",  "20,30,120,90,",
        "120,90,20,30",   " 20 30  120\t90 ",     "20.,30.0,120,90", "-4294967276,30,120,90",
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const QByteArray id = "c" + QByteArray::number(i);
        picture(id,
                "<area shape=\"rect\" coords=\"" + cases[i] + "\" href=\"#" + id + "\" alt=\"a\">");
        for (const auto& [p, hit] : probesFor(cases[i]))
            click(id, p.x(), p.y(), hit ? QString::fromLatin1("#" + id) : QStringLiteral("none"));
    }
    // Firefox lets a default area that comes first take the clicks of the areas after it.
    picture("d", "<area shape=\"default\" href=\"#default\" alt=\"a\">"
                 "<area coords=\"20,30,120,90\" href=\"#rect\" alt=\"b\">");
    click("d", 70, 60, "#default");
    // The export of such a map puts the default area last, so Firefox agrees with Chromium.
    QByteArray exported =
        exportHtml(harbourPage().images.value(0), defaultFirstMap(), "harbour.gif", 640, 400);
    exported = exported.mid(exported.indexOf("<img"));
    page += exported.left(exported.indexOf("</map>") + 6).replace("<img", "<img id=\"e\"") + '\n';
    for (const Probe& p : harbourProbes)
        click("e", p.x, p.y, QString::fromLatin1(p.href));
    probes.chop(1);
    page += "<script id=\"probes\" type=\"application/json\">[" + probes +
            "]</script>\n</body></html>\n";

    QTemporaryDir dir;
    QProcess node;
    node.setWorkingDirectory(scriptDir());
    node.start(QStringLiteral("node"),
               {scriptDir() + "/clicks.mjs", writeBesideHarbour(dir, page)});
    QVERIFY2(node.waitForFinished(120000), "Firefox did not finish within two minutes");
    const QByteArray out = node.readAllStandardOutput();
    QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    QCOMPARE(QString::fromUtf8(out).trimmed().split('\n'), expected);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (firefox().isEmpty() || QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty() ||
        !QDir(scriptDir() + QStringLiteral("/node_modules/puppeteer-core")).exists()) {
        std::puts("SKIP: firefox-esr, node or puppeteer-core is not installed, so Firefox does "
                  "not click into the maps (tools/deps.sh firefox installs them)");
        return 77;
    }
    tst_FirefoxClicks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_firefoxclicks.moc"
