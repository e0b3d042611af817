#include "map/areatools.h"
#include "map/mapdocument.h"
#include "map/xorcanvas.h"

#include <QImage>
#include <QTest>

using namespace tavlo;

namespace {

// A window stand-in around a real picture.
class Host final : public ToolHost {
public:
    Host()
        : picture(makePicture())
        , original(picture)
        , xor_(picture, [](const QRegion&) {})
    {}

    static QImage makePicture()
    {
        QImage image(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        return image;
    }

    bool imageLoaded() const override { return loaded; }
    XorCanvas& canvas() override { return xor_; }
    void setPointer(Pointer p) override { pointer = p; }
    void editArea(int i) override { edited.append(i); }
    void popupFileMenu() override { ++popups; }
    void pause(int ms) override { pauses.append(ms); }

    QImage picture;
    const QImage original;
    XorCanvas xor_;
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

    // A left-button drag through the points: press at the first, release at the last.
    void drag(const QList<QPointF>& path)
    {
        tools.press(Qt::LeftButton, path.first());
        for (qsizetype i = 1; i + 1 < path.size(); ++i)
            tools.move(Qt::LeftButton, path[i]);
        tools.release(Qt::LeftButton, path.last());
    }
    void click(QPointF p)
    {
        tools.press(Qt::LeftButton, p);
        tools.release(Qt::LeftButton, p);
    }
};

} // namespace

class tst_AreaTools : public QObject {
    Q_OBJECT

private slots:
    void drags_data();
    void drags();
    void vanishingShapesLeaveNoTrace_data();
    void vanishingShapesLeaveNoTrace();
    void outlineRunsCornerToCorner_data();
    void outlineRunsCornerToCorner();
    void pressInsideAnAreaOpensItOnRelease();
    void swallowedReleases_data();
    void swallowedReleases();
    void rightButtonPopsUpTheMenu();
    void polygons_data();
    void polygons();
    void closingHint();
    void polygonAtTheVertexLimitCloses();
    void outlineDrawnAgainErasesIt();
};

void tst_AreaTools::drags_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QList<QPointF>>("path");
    QTest::addColumn<QByteArray>("record"); // empty: no area

    using P = QList<QPointF>;
    QTest::newRow("7 x 10 rectangle is kept")
        << 1 << P{{10, 10}, {17, 20}, {17, 20}}
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="10, 10, 17, 20" HREF=")");
    QTest::newRow("7 x 9 rectangle is not") << 1 << P{{10, 10}, {17, 19}, {17, 19}} << QByteArray();
    QTest::newRow("plain click") << 1 << P{{10, 10}, {10, 10}} << QByteArray();
    QTest::newRow("dragged from lower right to upper left")
        << 1 << P{{120, 80}, {60, 50}, {20, 30}, {20, 30}}
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="120, 80, 20, 30" HREF=")");
    QTest::newRow("release away from the last move")
        << 1 << P{{10, 10}, {50, 50}, {60, 40}}
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="10, 10, 60, 40" HREF=")");
    QTest::newRow("circle of radius 7")
        << 2 << P{{100, 100}, {107, 100}, {107, 100}}
        << QByteArray(R"(<AREA SHAPE="circle" COORDS="100, 100, 7" HREF=")");
    QTest::newRow("circle of radius 6.99")
        << 2 << P{{100, 100}, {106.99, 100}, {106.99, 100}} << QByteArray();
    QTest::newRow("circle keeps the last move's radius")
        << 2 << P{{100, 100}, {130, 140}, {200, 100}}
        << QByteArray(R"(<AREA SHAPE="circle" COORDS="100, 100, 50" HREF=")");
    QTest::newRow("circle click without a move") << 2 << P{{100, 100}, {100, 100}} << QByteArray();
    // Off the canvas, past what an area may hold.
    QTest::newRow("rectangle dragged past the range")
        << 1 << P{{10, 10}, {40000, -40000}, {40000, -40000}}
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="10, 10, 32767, -32768" HREF=")");
    QTest::newRow("circle dragged past the range")
        << 2 << P{{0, 0}, {60000, 0}, {60000, 0}}
        << QByteArray(R"(<AREA SHAPE="circle" COORDS="0, 0, 32767" HREF=")");
}

void tst_AreaTools::drags()
{
    QFETCH(int, shape);
    QFETCH(QList<QPointF>, path);
    QFETCH(QByteArray, record);
    Fixture f;
    // An earlier circle, given up, leaves its radius behind; a click must not reuse it.
    f.tools.shapeChosen(AreaTools::Circle);
    f.tools.press(Qt::LeftButton, {300, 200});
    f.tools.move(Qt::LeftButton, {340, 200});
    f.tools.dialogOpening();
    f.tools.release(Qt::LeftButton, {340, 200});
    f.tools.shapeChosen(AreaTools::Shape(shape));
    f.drag(path);
    QCOMPARE(f.doc.areaList().size(), record.isEmpty() ? 0 : 1);
    if (!record.isEmpty()) {
        QCOMPARE(f.doc.areaList().first(), record);
        QCOMPARE(f.doc.hrefList(), QList<QByteArray>{defaultHref});
        QCOMPARE(f.host.pauses, QList<int>{AreaTools::drawPause});
    } else {
        QVERIFY(f.host.pauses.isEmpty());
        QCOMPARE(f.host.picture, f.host.original);
    }
    QCOMPARE(f.tools.state(), AreaTools::State::Idle);
}

void tst_AreaTools::vanishingShapesLeaveNoTrace_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QList<QPointF>>("path"); // a drag, or the polygon's clicks

    // A wild drag that ends 2 x 1 pixels from where it began.
    QList<QPointF> wiggle{{200, 150}};
    for (int i = 1; i < 60; ++i)
        wiggle.append(QPointF(200 + (i * 7) % 90, 150 - (i * 5) % 70));
    wiggle << QPointF(202, 151) << QPointF(202, 151);
    using P = QList<QPointF>;
    QTest::newRow("rectangle under the size limit") << 1 << wiggle;
    QTest::newRow("circle under the radius limit") << 2 << wiggle;
    QTest::newRow("polygon on a level line") << 3 << P{{20, 40}, {120, 40}, {220, 40}, {25, 45}};
    QTest::newRow("polygon on a slanted line")
        << 3 << P{{20, 20}, {60, 60}, {100, 100}, {140, 140}, {22, 18}};
    QTest::newRow("polygon folded back on its line")
        << 3 << P{{30, 200}, {230, 100}, {130, 150}, {33, 205}};
}

void tst_AreaTools::vanishingShapesLeaveNoTrace()
{
    QFETCH(int, shape);
    QFETCH(QList<QPointF>, path);
    Fixture f;
    f.tools.shapeChosen(AreaTools::Shape(shape));
    if (shape == AreaTools::Polygon) {
        for (const QPointF& p : path)
            f.click(p);
    } else {
        f.drag(path);
    }
    QVERIFY(f.doc.areaList().isEmpty());
    QCOMPARE(f.tools.polyCount(), 0);
    QCOMPARE(f.host.picture, f.host.original);
    // The next polygon starts afresh.
    f.tools.shapeChosen(AreaTools::Polygon);
    for (QPointF p : {QPointF(300, 20), QPointF(390, 20), QPointF(390, 90), QPointF(302, 22)})
        f.click(p);
    QCOMPARE(f.doc.ptsList(), QList<QByteArray>{"300|20|390|20|390|90"});
}

void tst_AreaTools::outlineRunsCornerToCorner_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("right and down") << QPoint(20, 30) << QPoint(120, 80);
    QTest::newRow("left and up") << QPoint(120, 80) << QPoint(20, 30);
    QTest::newRow("left and down") << QPoint(120, 30) << QPoint(20, 80);
    QTest::newRow("right and up") << QPoint(20, 80) << QPoint(120, 30);
}

void tst_AreaTools::outlineRunsCornerToCorner()
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
            const QRgb change =
                (edge ? XorCanvas::pen : 0) ^ (tinted.contains(x, y) ? XorCanvas::tintColour : 0);
            const QRgb expected = (f.host.original.pixel(x, y) ^ change) | 0xff000000;
            if (f.host.picture.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
    // What deleting the area draws restores the picture.
    f.host.xor_.drawOutline(f.doc.area(0));
    f.host.xor_.tint(f.doc.rgnList().first());
    QCOMPARE(f.host.picture, f.host.original);
}

void tst_AreaTools::pressInsideAnAreaOpensItOnRelease()
{
    Fixture f;
    f.drag({{20, 20}, {60, 50}, {60, 50}});
    f.drag({{100, 100}, {150, 150}, {150, 150}});
    f.click({120, 120});
    f.click({30, 30});
    QCOMPARE(f.host.edited, QList<int>({1, 0}));
    // Dragging across an area still makes the shape where the button comes up.
    f.drag({{200, 20}, {40, 40}, {40, 40}});
    QCOMPARE(f.doc.areaList().size(), 3);
}

void tst_AreaTools::swallowedReleases_data()
{
    QTest::addColumn<QString>("flag");   // set before the gestures, or "no picture"
    QTest::addColumn<QString>("script"); // p press, m move, r release, s set the flag
    QTest::addColumn<int>("areas");
    // A release that comes alone belongs to a click elsewhere (the open dialog's);
    // a press on the canvas always starts a drawing.
    QTest::newRow("skipDrop: a release alone is swallowed") << "skipDrop"
                                                            << "r" << 0;
    QTest::newRow("skipDrop: a whole drag draws") << "skipDrop"
                                                  << "pmr" << 1;
    QTest::newRow("skipDrop: the drag after a lone release draws") << "skipDrop"
                                                                   << "rpmr" << 1;
    QTest::newRow("skipMouse: the drag is ignored") << "skipMouse"
                                                    << "pmr" << 0;
    QTest::newRow("skipMouse: then the next drag draws") << "skipMouse"
                                                         << "pmrpmr" << 1;
    QTest::newRow("nothing before a picture is loaded") << "no picture"
                                                        << "pmr" << 0;
    // A drag whose release is swallowed, or never comes, leaves no band behind.
    QTest::newRow("skipDrop set during a drag") << ""
                                                << "pmsrm" << 0;
    QTest::newRow("press after a lost release") << ""
                                                << "pmpmr" << 1;
}

void tst_AreaTools::swallowedReleases()
{
    QFETCH(QString, flag);
    QFETCH(QString, script);
    QFETCH(int, areas);
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
    QCOMPARE(f.doc.areaList().size(), areas);
    // Nothing on the picture but what the areas drew.
    for (qsizetype i = 0; i < f.doc.areaList().size(); ++i) {
        f.host.xor_.drawOutline(f.doc.area(i));
        f.host.xor_.tint(f.doc.region(i));
    }
    QCOMPARE(f.host.picture, f.host.original);
}

void tst_AreaTools::rightButtonPopsUpTheMenu()
{
    Fixture f;
    f.tools.press(Qt::RightButton, {10, 10});
    QCOMPARE(f.tools.state(), AreaTools::State::Idle);
    f.tools.release(Qt::RightButton, {10, 10});
    QCOMPARE(f.host.popups, 1);
}

void tst_AreaTools::polygons_data()
{
    QTest::addColumn<QList<QPointF>>("clicks");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("open"); // vertices still open afterwards
    using P = QList<QPointF>;
    QTest::newRow("closes 9 pixels off the first vertex")
        << P{{10, 10}, {100, 10}, {100, 80}, {19, 19}}
        << QByteArray(R"(<AREA SHAPE="poly" COORDS="10, 10, 100, 10, 100, 80" HREF=")") << 0;
    QTest::newRow("10 pixels off places a vertex")
        << P{{10, 10}, {100, 10}, {100, 80}, {20, 19}} << QByteArray() << 4;
    QTest::newRow("two vertices never close")
        << P{{10, 10}, {100, 10}, {12, 12}} << QByteArray() << 3;
}

void tst_AreaTools::polygons()
{
    QFETCH(QList<QPointF>, clicks);
    QFETCH(QByteArray, record);
    QFETCH(int, open);
    Fixture f;
    f.tools.shapeChosen(AreaTools::Polygon);
    for (const QPointF& p : clicks)
        f.click(p);
    QCOMPARE(f.tools.polyCount(), open);
    if (record.isEmpty()) {
        QVERIFY(f.doc.areaList().isEmpty());
        QCOMPARE(f.host.pauses.size(), clicks.size());
        return;
    }
    QCOMPARE(f.doc.areaList(), QList<QByteArray>{record});
    QCOMPARE(f.doc.ptsList().first(), QByteArray("10|10|100|10|100|80"));
    // The closing click's release is swallowed: no pause for it.
    QCOMPARE(f.host.pauses.size(), clicks.size() - 1);
}

void tst_AreaTools::closingHint()
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

void tst_AreaTools::polygonAtTheVertexLimitCloses()
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
}

void tst_AreaTools::outlineDrawnAgainErasesIt()
{
    // What deleting an area does: outline and tint drawn once more leave the picture
    // as it was, polygons of more than 128 vertices included.
    for (int shape : {1, 2, 3}) {
        Fixture f;
        f.tools.shapeChosen(AreaTools::Shape(shape));
        if (shape == 3) {
            // A zigzag of 200 vertices, none near the first until the closing click.
            f.click({20, 50});
            for (int i = 1; i < 200; ++i)
                f.click(QPointF(31 + i * 1.7, 50 + (i % 2) * 80 + i % 7));
            f.click({21, 51});
        } else {
            f.drag({{150, 120}, {180, 140}, {192.72, 150}, {192.72, 150}});
        }
        QCOMPARE(f.doc.areaList().size(), 1);
        QVERIFY(f.host.picture != f.host.original);
        f.host.xor_.drawOutline(f.doc.area(0));
        f.host.xor_.tint(f.doc.rgnList().first());
        QCOMPARE(f.host.picture, f.host.original);
    }
}

QTEST_GUILESS_MAIN(tst_AreaTools)
#include "tst_areatools.moc"
