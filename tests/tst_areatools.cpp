#include "map/areatools.h"
#include "map/mapdocument.h"
#include "map/xorcanvas.h"
#include "support/drawing.h"

#include <QImage>
#include <QTest>

using namespace tavlo;
using namespace tavlo::test;

namespace {

// A window stand-in around a real picture.
class Host final : public ToolHost {
public:
    bool imageLoaded() const override { return loaded; }
    XorCanvas& canvas() override { return xor_; }
    void setPointer(Pointer p) override { pointer = p; }
    void editArea(int i) override { edited.append(i); }
    void popupFileMenu() override { ++popups; }
    void pause(int ms) override { pauses.append(ms); }

    const QImage original = patternedPicture({400, 300});
    QImage picture = original;
    XorCanvas xor_{picture, [](const QRegion&) {}};
    bool loaded = true;
    Pointer pointer = Pointer::Cross;
    QList<int> edited;
    QList<int> pauses;
    int popups = 0;
};

struct Fixture {
    Host host;
    MapDocument doc;
    AreaTools tools{doc, host};

    void drag(const QList<QPointF>& path) { test::drag(tools, path); }
    void click(QPointF p) { clickEach(tools, {p}); }
    // Nothing on the picture but what the areas drew.
    bool onlyAreasDrawn() const { return withoutAreas(host.picture, doc) == host.original; }
};

} // namespace

class tst_AreaTools : public QObject {
    Q_OBJECT

private slots:
    void drags_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<QByteArray>("coords"); // empty: no area
        const auto row = [](const char* name, int shape, const QList<QPointF>& path,
                            const char* coords = "") {
            QTest::newRow(name) << shape << path << QByteArray(coords);
        };
        row("7 x 10 rectangle is kept", 1, {{10, 10}, {17, 20}, {17, 20}}, "10, 10, 17, 20");
        row("7 x 9 rectangle is not", 1, {{10, 10}, {17, 19}, {17, 19}});
        row("dragged from lower right to upper left", 1, {{120, 80}, {60, 50}, {20, 30}, {20, 30}},
            "120, 80, 20, 30");
        row("release away from the last move", 1, {{10, 10}, {50, 50}, {60, 40}}, "10, 10, 60, 40");
        row("circle of radius 7", 2, {{100, 100}, {107, 100}, {107, 100}}, "100, 100, 7");
        row("circle of radius 6.99", 2, {{100, 100}, {106.99, 100}, {106.99, 100}});
        row("circle keeps the last move's radius", 2, {{100, 100}, {130, 140}, {200, 100}},
            "100, 100, 50");
        row("circle click without a move", 2, {{100, 100}, {100, 100}});
        row("rectangle to a corner between pixels", 1,
            {{150, 120}, {180, 140}, {192.72, 150}, {192.72, 150}}, "150, 120, 193, 150");
        row("circle of a radius between pixels", 2,
            {{150, 120}, {180, 140}, {192.72, 150}, {192.72, 150}}, "150, 120, 52");
        // Off the canvas, past what an area may hold.
        row("rectangle dragged past the range", 1, {{10, 10}, {40000, -40000}, {40000, -40000}},
            "10, 10, 32767, -32768");
        row("circle dragged past the range", 2, {{0, 0}, {60000, 0}, {60000, 0}}, "0, 0, 32767");
    }

    void drags()
    {
        QFETCH(int, shape);
        QFETCH(QList<QPointF>, path);
        QFETCH(QByteArray, coords);
        Fixture f;
        // An earlier circle, given up, leaves its radius behind; a click must not reuse it.
        f.tools.shapeChosen(AreaTools::Circle);
        f.tools.press(Qt::LeftButton, {300, 200});
        f.tools.move(Qt::LeftButton, {340, 200});
        f.tools.dialogOpening();
        f.tools.release(Qt::LeftButton, {340, 200});
        f.tools.shapeChosen(AreaTools::Shape(shape));
        f.drag(path);
        QCOMPARE(f.doc.areaList().size(), coords.isEmpty() ? 0 : 1);
        if (!coords.isEmpty()) {
            const QByteArray kind = shape == AreaTools::Rectangle ? "rect" : "circle";
            QCOMPARE(f.doc.areaList().first(),
                     "<AREA SHAPE=\"" + kind + "\" COORDS=\"" + coords + "\" HREF=\"");
            QCOMPARE(f.doc.hrefList(), QList<QByteArray>{defaultHref});
            QCOMPARE(f.host.pauses, QList<int>{AreaTools::drawPause});
            // What deleting the area draws restores the picture.
            QVERIFY(f.onlyAreasDrawn());
        } else {
            QVERIFY(f.host.pauses.isEmpty());
            QCOMPARE(f.host.picture, f.host.original);
        }
        QCOMPARE(f.tools.state(), AreaTools::State::Idle);
    }

    void outlineRunsCornerToCorner_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("right and down") << QPoint(20, 30) << QPoint(120, 80);
        QTest::newRow("left and up") << QPoint(120, 80) << QPoint(20, 30);
        QTest::newRow("left and down") << QPoint(120, 30) << QPoint(20, 80);
        QTest::newRow("right and up") << QPoint(20, 80) << QPoint(120, 30);
    }

    void outlineRunsCornerToCorner()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        Fixture f;
        f.drag({from, QPointF(70, 55), to, to});
        QCOMPARE(f.doc.areaList().size(), 1);

        // Every drag of this table covers x 20..120 and y 30..80. The outline runs
        // through both corners; the tint leaves the right and bottom edges out, as
        // the region does, so a click there opens nothing.
        const QRect box(QPoint(20, 30), QPoint(120, 80));
        const QRect tinted(QPoint(20, 30), QPoint(119, 79));
        QCOMPARE(f.doc.rgnList().first(), QRegion(tinted));
        for (int y = box.top() - 2; y <= box.bottom() + 2; ++y) {
            for (int x = box.left() - 2; x <= box.right() + 2; ++x) {
                const bool edge = box.contains(x, y) && (x == box.left() || x == box.right() ||
                                                         y == box.top() || y == box.bottom());
                const QRgb change = (edge ? XorCanvas::pen : 0) ^
                                    (tinted.contains(x, y) ? XorCanvas::tintColour : 0);
                const QRgb expected = (f.host.original.pixel(x, y) ^ change) | 0xff000000;
                if (f.host.picture.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
        // What deleting the area draws restores the picture.
        QVERIFY(f.onlyAreasDrawn());
    }

    void pressInsideAnAreaOpensItOnRelease()
    {
        Fixture f;
        f.drag({{20, 20}, {60, 50}, {60, 50}});
        f.click({30, 30});
        QCOMPARE(f.host.edited, QList<int>{0});
        // Dragging across an area still makes the shape where the button comes up.
        f.drag({{200, 20}, {40, 40}, {40, 40}});
        QCOMPARE(f.doc.areaList().size(), 2);
    }

    void swallowedReleases_data()
    {
        QTest::addColumn<QString>("flag");   // set before the gestures, or "no picture"
        QTest::addColumn<QString>("script"); // p press, m move, r release, s set the flag
        QTest::addColumn<int>("areas");
        const auto row = [](const char* name, const char* flag, const char* script, int areas) {
            QTest::newRow(name) << QString(flag) << QString(script) << areas;
        };
        // A release that comes alone belongs to a click elsewhere (the open dialog's);
        // a press on the canvas always starts a drawing.
        row("skipDrop: a release alone is swallowed", "skipDrop", "r", 0);
        row("skipDrop: a whole drag draws", "skipDrop", "pmr", 1);
        row("skipDrop: the drag after a lone release draws", "skipDrop", "rpmr", 1);
        row("skipMouse: the drag is ignored, the next one draws", "skipMouse", "pmrpmr", 1);
        row("nothing before a picture is loaded", "no picture", "pmr", 0);
        // A drag whose release is swallowed, or never comes, leaves no band behind.
        row("skipDrop set during a drag", "", "pmsrm", 0);
        row("press after a lost release", "", "pmpmr", 1);
    }

    void swallowedReleases()
    {
        QFETCH(QString, flag);
        QFETCH(QString, script);
        Fixture f;
        if (flag == u"skipMouse")
            f.tools.menuPopping();
        if (flag == u"skipDrop")
            f.tools.dialogOpening();
        f.host.loaded = flag != u"no picture";
        QPointF start(20, 20); // each press a little further on
        for (QChar step : script) {
            switch (step.toLatin1()) {
            case 'p':
                start += QPointF(5, 5);
                f.tools.press(Qt::LeftButton, start);
                break;
            case 'm':
                f.tools.move(Qt::LeftButton, start + QPointF(60, 50));
                break;
            case 'r':
                f.tools.release(Qt::LeftButton, start + QPointF(55, 45));
                break;
            case 's':
                f.tools.dialogOpening();
                break;
            }
        }
        QVERIFY(!f.tools.dropSkipped() && !f.tools.mouseSkipped());
        QCOMPARE(f.tools.state(), AreaTools::State::Idle);
        QTEST(int(f.doc.areaList().size()), "areas");
        QVERIFY(f.onlyAreasDrawn());
    }

    void polygons_data()
    {
        QTest::addColumn<QList<QPointF>>("clicks");
        QTest::addColumn<int>("open");       // vertices still open afterwards; 0: closed
        QTest::addColumn<QByteArray>("pts"); // the area made, "" for none
        const auto row = [](const char* name, const QList<QPointF>& clicks, int open,
                            const char* pts = "") {
            QTest::newRow(name) << clicks << open << QByteArray(pts);
        };
        row("closes 9 pixels off the first vertex", {{10, 10}, {100, 10}, {100, 80}, {19, 19}}, 0,
            "10|10|100|10|100|80");
        row("10 pixels off places a vertex", {{10, 10}, {100, 10}, {100, 80}, {20, 19}}, 4);
        row("two vertices never close", {{10, 10}, {100, 10}, {12, 12}}, 3);
        // Vertices on one line cover no pixel: the polygon vanishes.
        row("on a level line", {{20, 40}, {120, 40}, {220, 40}, {25, 45}}, 0);
        row("folded back on a slanted line", {{30, 200}, {230, 100}, {130, 150}, {33, 205}}, 0);
    }

    void polygons()
    {
        QFETCH(QList<QPointF>, clicks);
        QFETCH(int, open);
        QFETCH(QByteArray, pts);
        Fixture f;
        f.tools.shapeChosen(AreaTools::Polygon);
        clickEach(f.tools, clicks);
        QCOMPARE(f.tools.polyCount(), open);
        QCOMPARE(f.doc.ptsList(), pts.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{pts});
        // The closing click's release is swallowed: no pause for it.
        QCOMPARE(f.host.pauses.size(), clicks.size() - (open > 0 ? 0 : 1));
        if (open > 0)
            return;
        // Its dots and edges are drawn away with the area, or with nothing if none was made.
        QVERIFY(f.onlyAreasDrawn());
        // The next polygon starts afresh.
        clickEach(f.tools, {{300, 20}, {390, 20}, {390, 90}, {302, 22}});
        QCOMPARE(f.doc.ptsList().last(), QByteArray("300|20|390|20|390|90"));
    }

    void closingHint()
    {
        Fixture f;
        f.tools.shapeChosen(AreaTools::Polygon);
        f.click({10, 10});
        f.tools.move(Qt::NoButton, {12, 12});
        QCOMPARE(f.host.pointer, Pointer::Cross);
        f.click({100, 10});
        f.tools.move(Qt::NoButton, {12, 12});
        QCOMPARE(f.host.pointer, Pointer::UpArrow);
        f.tools.move(Qt::NoButton, {20, 12});
        QCOMPARE(f.host.pointer, Pointer::Cross);
    }

    void polygonAtTheVertexLimitCloses()
    {
        Fixture f;
        f.tools.shapeChosen(AreaTools::Polygon);
        for (int i = 0; i < AreaTools::maxVertices; ++i)
            f.click(QPointF(30 + (i % 16) * 20, 30 + (i / 16) * 15 + (i % 2)));
        QCOMPARE(f.tools.polyCount(), AreaTools::maxVertices);
        f.click({390, 290});
        QCOMPARE(f.tools.polyCount(), 0);
        QCOMPARE(f.doc.areaList().size(), 1);
        QCOMPARE(countPipes(f.doc.ptsList().first()), 2 * AreaTools::maxVertices - 1);
        // Polygons of more than 128 vertices are drawn away as well.
        QVERIFY(f.onlyAreasDrawn());
    }
};

QTEST_GUILESS_MAIN(tst_AreaTools)
#include "tst_areatools.moc"
