#include "map/mapdocument.h"
#include "tavlofile/markupwriter.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavlo;

class tst_MapDocument : public QObject {
    Q_OBJECT

private slots:
    void shapes_data();
    void shapes();
    void radiusText_data();
    void radiusText();
    void getField_data();
    void getField();
    void countPipesIsNotLimitedToEightBits();
    void listsRunInParallel();
    void deleteAreaShiftsLaterAreas();
    void clearAreasLeavesTextLists();
    void recordCarriesTheLinksGiven_data();
    void recordCarriesTheLinksGiven();
    void hitTest_data();
    void hitTest();
};

void tst_MapDocument::shapes_data()
{
    QTest::addColumn<AreaShape>("shape");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("pts");
    QTest::addColumn<QRect>("box");

    QTest::newRow("rectangle dragged up and left")
        << rectArea(120, 80, 20, 30)
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="120, 80, 20, 30" HREF=")")
        << QByteArray("120|80|20|30") << QRect(20, 30, 100, 50);
    QTest::newRow("circle, half radius to even")
        << circleArea(50, 60, 42.5f)
        << QByteArray(R"(<AREA SHAPE="circle" COORDS="50, 60, 42" HREF=")")
        << QByteArray("50|60|42.5") << QRect(QPoint(8, 18), QPoint(91, 101));
    QTest::newRow("polygon")
        << polyArea({{10, 10}, {100, 10}, {100, 80}})
        << QByteArray(R"(<AREA SHAPE="poly" COORDS="10, 10, 100, 10, 100, 80" HREF=")")
        << QByteArray("10|10|100|10|100|80") << QRect(10, 10, 90, 70);
    QTest::newRow("negative coordinates")
        << rectArea(-5, -7, 30, 40)
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="-5, -7, 30, 40" HREF=")")
        << QByteArray("-5|-7|30|40") << QRect(-5, -7, 35, 47);
    QTest::newRow("polygon on one line covers nothing")
        << polyArea({{10, 10}, {50, 50}, {30, 30}})
        << QByteArray("<AREA SHAPE=\"poly\" COORDS=\"10, 10, 50, 50, 30, 30\" HREF=\"")
        << QByteArray("10|10|50|50|30|30") << QRect();
}

void tst_MapDocument::shapes()
{
    QFETCH(AreaShape, shape);
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, pts);
    QFETCH(QRect, box);
    QCOMPARE(shape.record, record);
    QCOMPARE(shape.pts, pts);
    QCOMPARE(shape.region.boundingRect(), box);
}

void tst_MapDocument::radiusText_data()
{
    QTest::addColumn<float>("radius");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("decimals") << 42.72002f << QByteArray("42.72002");
    QTest::newRow("half") << 42.5f << QByteArray("42.5");
    QTest::newRow("whole") << 7.0f << QByteArray("7");
    QTest::newRow("irrational") << 14.142136f << QByteArray("14.14214");
}

void tst_MapDocument::radiusText()
{
    QFETCH(float, radius);
    QFETCH(QByteArray, text);
    QCOMPARE(tavlo::radiusText(radius), text);
}

void tst_MapDocument::getField_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QByteArray>("field");
    const auto row = [](const char* name, const char* text, int n, bool comma, const char* field) {
        QTest::newRow(name) << QByteArray(text) << n << comma << QByteArray(field);
    };
    row("first", "5|6|7", 1, false, "5");
    row("middle", "5|6|7", 2, false, "6");
    row("last", "5|6|7", 3, false, "7");
    row("wraps to first", "5|6|7", 4, false, "5");
    row("wraps to second", "5|6|7", 5, false, "6");
    row("commas keep blanks", "10, 20, 30", 2, true, " 20");
    row("pipes are no commas", "1|2", 1, true, "1|2");
    row("empty field", "1||3", 2, false, "");
}

void tst_MapDocument::getField()
{
    QFETCH(QByteArray, text);
    QFETCH(int, n);
    QFETCH(bool, comma);
    QFETCH(QByteArray, field);
    QCOMPARE(tavlo::getField(text, n, comma), field);
}

void tst_MapDocument::countPipesIsNotLimitedToEightBits()
{
    QList<QPoint> vertices;
    for (int i = 0; i < 200; ++i)
        vertices.append({i, i * 2});
    const QByteArray pts = polyArea(vertices).pts;
    QCOMPARE(countPipes(pts), 399);
    QCOMPARE(tavlo::getField(pts, 399, false), QByteArray("199"));
    QCOMPARE(countPipes("50|60|42.5"), 2);
}

void tst_MapDocument::listsRunInParallel()
{
    MapDocument doc;
    QSignalSpy changed(&doc, &MapDocument::changed);
    doc.addArea(rectArea(0, 0, 10, 10));
    doc.addAreaDefaults();
    doc.addArea(circleArea(50, 50, 10));
    doc.appendTexts("b.htm", "_top", "Ball");

    QCOMPARE(doc.aCount(), 2);
    for (qsizetype n : {doc.areaList().size(), doc.ptsList().size(), doc.rgnList().size(),
                        doc.hrefList().size(), doc.targetList().size(), doc.altList().size()})
        QCOMPARE(n, 2);
    QCOMPARE(doc.hrefList(), QList<QByteArray>({"#", "b.htm"}));
    QCOMPARE(doc.targetList().first(), targetPrompt);
    QCOMPARE(doc.altList().first(), altPrompt);
    QVERIFY(doc.hasUnsavedWork());
    QCOMPARE(changed.count(), 4);
}

void tst_MapDocument::deleteAreaShiftsLaterAreas()
{
    MapDocument doc;
    for (int i = 0; i < 3; ++i) {
        doc.addArea(rectArea(i * 20, 0, i * 20 + 10, 10));
        doc.appendTexts(QByteArray::number(i), "", "");
    }
    doc.deleteArea(1);
    QCOMPARE(doc.hrefList(), QList<QByteArray>({"0", "2"}));
    QCOMPARE(doc.ptsList(), QList<QByteArray>({"0|0|10|10", "40|0|50|10"}));
    QCOMPARE(doc.hitTest(QPointF(25, 5)), -1);
    QCOMPARE(doc.hitTest(QPointF(45, 5)), 1);
}

void tst_MapDocument::clearAreasLeavesTextLists()
{
    MapDocument doc;
    QSignalSpy changed(&doc, &MapDocument::changed);
    doc.clearAreas();
    doc.clearLists();
    QCOMPARE(changed.count(), 0); // nothing to clear, nothing changed
    doc.addArea(rectArea(0, 0, 10, 10));
    doc.addAreaDefaults();
    doc.clearAreas();
    QCOMPARE(doc.aCount(), 0);
    QVERIFY(doc.areaList().isEmpty() && doc.ptsList().isEmpty() && doc.rgnList().isEmpty());
    QCOMPARE(doc.hrefList().size(), 1);
    QVERIFY(!doc.hasUnsavedWork());
    doc.clearLists();
    QVERIFY(doc.hrefList().isEmpty() && doc.targetList().isEmpty() && doc.altList().isEmpty());
}

// What the record writes and what the dialog shows next, edit by edit.
void tst_MapDocument::recordCarriesTheLinksGiven_data()
{
    QTest::addColumn<QList<QByteArray>>("typedHrefs");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QByteArray>("shownHref");

    QTest::newRow("never edited") << QList<QByteArray>{} << QByteArray() << defaultHref;
    QTest::newRow("edited") << QList<QByteArray>{"a.htm"} << QByteArray("a.htm\" ALT=\"A")
                            << QByteArray("a.htm");
    QTest::newRow("\"#\" typed over an HREF")
        << QList<QByteArray>{"a.htm", "#"} << QByteArray("#\" ALT=\"A") << QByteArray("a.htm");
    QTest::newRow("quote escaped")
        << QList<QByteArray>{"a\"b"} << QByteArray("a&quot;b\" ALT=\"A") << QByteArray("a\"b");
}

void tst_MapDocument::recordCarriesTheLinksGiven()
{
    QFETCH(QList<QByteArray>, typedHrefs);
    QFETCH(QByteArray, tail);
    QFETCH(QByteArray, shownHref);
    MapDocument doc;
    doc.addArea(polyArea({{0, 0}, {30, 0}, {15, 25}}));
    doc.addAreaDefaults();
    for (const QByteArray& typed : typedHrefs) {
        // As the area dialog answers: "#" typed keeps the area's own HREF.
        const QByteArray kept = typed == defaultHref ? doc.hrefList()[0] : typed;
        doc.replaceTail(0, recordTail(typed, {}, "A"), kept, {}, "A");
    }
    QCOMPARE(doc.areaList()[0], polyArea({{0, 0}, {30, 0}, {15, 25}}).record + tail);
    QCOMPARE(doc.hrefList()[0], shownHref);
    QCOMPARE(doc.targetList()[0], typedHrefs.isEmpty() ? targetPrompt : QByteArray());
    QCOMPARE(doc.areas()[0].links.has_value(), !typedHrefs.isEmpty());
}

void tst_MapDocument::hitTest_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("area");
    const auto row = [](const char* name, QPointF p, int area) {
        QTest::newRow(name) << p << area;
    };
    row("inside the first", {30, 30}, 0);
    row("overlap: the first made wins", {60, 60}, 0);
    row("only the second", {90, 90}, 1);
    row("right edge is outside", {70, 30}, -1);
    row("bottom edge of the second is outside", {90, 100}, -1);
    row("right edge of the second is outside", {100, 90}, -1);
    row("left edge of the second is inside", {50, 90}, 1);
    row("left and top edges are inside", {20, 20}, 0);
    row("half rounds to even: 69.5 is 70", {69.5, 30}, -1);
    row("half rounds to even: 68.5 is 68", {68.5, 30}, 0);
    row("circle", {150, 150}, 2);
    row("outside the circle's round", {141, 141}, -1);
}

void tst_MapDocument::hitTest()
{
    QFETCH(QPointF, point);
    QFETCH(int, area);
    MapDocument doc;
    doc.addArea(rectArea(20, 20, 70, 70));
    doc.addArea(rectArea(100, 100, 50, 50));
    doc.addArea(circleArea(150, 150, 10));
    QCOMPARE(doc.hitTest(point), area);
}

QTEST_GUILESS_MAIN(tst_MapDocument)
#include "tst_mapdocument.moc"
