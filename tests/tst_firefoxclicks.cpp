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
#include <QFile>
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
    const int x1 = int(qBound<double>(-1e6, std::min(c[0], c[2]), 1e6));
    const int x2 = int(qBound<double>(-1e6, std::max(c[0], c[2]), 1e6));
    const int y1 = int(qBound<double>(-1e6, std::min(c[1], c[3]), 1e6));
    const int y2 = int(qBound<double>(-1e6, std::max(c[1], c[3]), 1e6));
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

// Inside r by 2 pixels at least, so that no edge rule matters.
bool wellInside(const QRect& r, QPoint p)
{
    return p.x() >= r.left() + 2 && p.x() <= r.right() - 2 && p.y() >= r.top() + 2 &&
           p.y() <= r.bottom() - 2;
}
bool wellOutside(const std::optional<QRect>& r, QPoint p)
{
    return !r || p.x() < r->left() - 2 || p.x() > r->right() + 2 || p.y() < r->top() - 2 ||
           p.y() > r->bottom() + 2;
}

// Points of the picture where Firefox's rectangle and the HTML one part, each with the
// link Firefox should follow there.
QList<std::pair<QPoint, bool>> probesFor(const QByteArray& coords)
{
    const std::optional<QRect> ff = rectOf(firefoxCoords(coords));
    const std::optional<QRect> html = rectOf(parseNumberList(coords));
    QList<std::pair<QPoint, bool>> out;
    const QRect picture(0, 0, side, side);
    std::optional<QPoint> in, out1;
    for (int y = 3; y < side - 3; y += 3) {
        for (int x = 3; x < side - 3; x += 3) {
            const QPoint p(x, y);
            if (!in && ff && wellInside(*ff, p) && picture.contains(p))
                in = p;
            if (!out1 && html && wellInside(*html, p) && wellOutside(ff, p))
                out1 = p;
        }
    }
    if (in)
        out.append({*in, true});
    if (out1)
        out.append({*out1, false});
    return out;
}

} // namespace

class tst_FirefoxClicks : public QObject {
    Q_OBJECT

private slots:
    void clicks();
};

void tst_FirefoxClicks::clicks()
{
    // Rectangles as in the checker's table; each gets its own picture and map.
    const QList<QByteArray> cases = {
        "20,30,120,90",   "1.2e2,10,190,60",      ".5,10,x20,60",    ",20,30,120,90",
        "20,,30,120,90",  "20, ,30,120,90",       "20;30;120;90",    "20,30,4294967416,90",
        "+20,+30,120,90", "20px,30px,120px,90px", "20%,30,120%,90",  "20,30,120,90,",
        "120,90,20,30",   " 20 30  120\t90 ",     "20.,30.0,120,90", "-4294967276,30,120,90",
    };
    QByteArray page = "<!DOCTYPE html>\n<html><body>\n";
    QByteArray probes;
    QStringList expected;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const QByteArray id = "c" + QByteArray::number(i);
        page += "<img id=\"" + id +
                "\" src=\"harbour.gif\" width=\"200\" height=\"200\" usemap=\"#" + id +
                "\" alt=\"\"><map name=\"" + id + "\"><area shape=\"rect\" coords=\"" + cases[i] +
                "\" href=\"#" + id + "\" alt=\"a\"></map>\n";
        for (const auto& [p, hit] : probesFor(cases[i])) {
            probes += "[\"" + id + "\"," + QByteArray::number(p.x()) + ',' +
                      QByteArray::number(p.y()) + "],";
            expected << QStringLiteral("%1 %2 %3 %4")
                            .arg(QString::fromLatin1(id))
                            .arg(p.x())
                            .arg(p.y())
                            .arg(hit ? QStringLiteral("#") + QString::fromLatin1(id)
                                     : QStringLiteral("none"));
        }
    }
    // Firefox lets a default area that comes first take the clicks of the areas after it.
    page += "<img id=\"d\" src=\"harbour.gif\" width=\"200\" height=\"200\" usemap=\"#d\" "
            "alt=\"\"><map name=\"d\"><area shape=\"default\" href=\"#default\" alt=\"a\">"
            "<area coords=\"20,30,120,90\" href=\"#rect\" alt=\"b\"></map>\n";
    probes += "[\"d\",70,60],";
    expected << QStringLiteral("d 70 60 #default");
    // The export of such a map puts the default area last, so Firefox agrees with Chromium.
    const ForeignMap map = [] {
        ForeignMap m = harbourMap();
        m.areas.move(3, 0);
        return m;
    }();
    QByteArray exported = exportHtml(harbourImage(), map, "harbour.gif", 640, 400);
    exported = exported.mid(exported.indexOf("<img"));
    exported = exported.left(exported.indexOf("</map>") + 6).replace("<img", "<img id=\"e\"");
    page += exported + '\n';
    for (const auto& [x, y, href] :
         {std::tuple{120, 110, "quay.htm"}, {300, 340, "boats.htm"}, {20, 380, "harbour.htm"}}) {
        probes += "[\"e\"," + QByteArray::number(x) + ',' + QByteArray::number(y) + "],";
        expected << QStringLiteral("e %1 %2 %3").arg(x).arg(y).arg(QLatin1String(href));
    }
    probes.chop(1);
    page += "<script id=\"probes\" type=\"application/json\">[" + probes +
            "]</script>\n"
            "</body></html>\n";

    QTemporaryDir dir;
    QVERIFY(QFile::copy(qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/examples/harbour.gif",
                        dir.filePath("harbour.gif")));
    QFile file(dir.filePath("clicks.html"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(page) == page.size());
    file.close();

    QProcess node;
    node.setWorkingDirectory(scriptDir());
    node.start(QStringLiteral("node"), {scriptDir() + "/clicks.mjs", file.fileName()});
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
