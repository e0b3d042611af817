#include "map/mapdocument.h"
#include "support/areas.h"
#include "tavlofile/markupwriter.h"

#include <QTest>

#include <cmath>

using namespace tavlo;
using namespace tavlo::test;

Q_DECLARE_METATYPE(tavlo::MapArea)
Q_DECLARE_METATYPE(tavlo::FieldSeparator)

class tst_MapDocument : public QObject {
    Q_OBJECT

private slots:
    void shapes_data();
    void shapes();
    void refusedAreas_data();
    void refusedAreas();
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
    QTest::addColumn<MapArea>("area");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("pts");
    QTest::addColumn<QRect>("box");

    QTest::newRow("rectangle dragged up and left")
        << rect(120, 80, 20, 30)
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="120, 80, 20, 30" HREF=")")
        << QByteArray("120|80|20|30") << QRect(20, 30, 100, 50);
    QTest::newRow("circle, half radius to even")
        << circle(50, 60, 42.5f) << QByteArray(R"(<AREA SHAPE="circle" COORDS="50, 60, 42" HREF=")")
        << QByteArray("50|60|42.5") << QRect(QPoint(8, 18), QPoint(91, 101));
    QTest::newRow("polygon")
        << poly({{10, 10}, {100, 10}, {100, 80}})
        << QByteArray(R"(<AREA SHAPE="poly" COORDS="10, 10, 100, 10, 100, 80" HREF=")")
        << QByteArray("10|10|100|10|100|80") << QRect(10, 10, 90, 70);
    QTest::newRow("negative coordinates")
        << rect(-5, -7, 30, 40)
        << QByteArray(R"(<AREA SHAPE="rect" COORDS="-5, -7, 30, 40" HREF=")")
        << QByteArray("-5|-7|30|40") << QRect(-5, -7, 35, 47);
    QTest::newRow("polygon on one line covers nothing")
        << poly({{10, 10}, {50, 50}, {30, 30}})
        << QByteArray("<AREA SHAPE=\"poly\" COORDS=\"10, 10, 50, 50, 30, 30\" HREF=\"")
        << QByteArray("10|10|50|50|30|30") << QRect();
}

void tst_MapDocument::shapes()
{
    QFETCH(MapArea, area);
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, pts);
    QFETCH(QRect, box);
    QCOMPARE(areaRecord(area), record);
    QCOMPARE(pointText(area), pts);
    QCOMPARE(areaRegion(area).boundingRect(), box);
}

// An area is made only with the points its shape needs and every number in range.
void tst_MapDocument::refusedAreas_data()
{
    QTest::addColumn<bool>("made");
    QTest::addColumn<bool>("expected");
    const auto row = [](const char* name, const std::optional<MapArea>& area, bool expected) {
        QTest::newRow(name) << area.has_value() << expected;
    };
    row("rectangle at the ends of the range", MapArea::rectangle({-32768, -32768}, {32767, 32767}),
        true);
    row("rectangle corner past the range", MapArea::rectangle({0, 0}, {32768, 5}), false);
    row("rectangle corner below the range", MapArea::rectangle({0, -32769}, {5, 5}), false);
    row("circle of radius 0", MapArea::circle({7, 7}, 0), true);
    row("circle whose radius rounds to the end", MapArea::circle({0, 0}, 32767.4f), true);
    row("circle whose radius rounds past the end", MapArea::circle({0, 0}, 32767.6f), false);
    row("negative radius", MapArea::circle({0, 0}, -1), false);
    row("radius not a number", MapArea::circle({0, 0}, std::nanf("")), false);
    row("centre past the range", MapArea::circle({0, 40000}, 10), false);
    row("polygon of three vertices", MapArea::polygon({{0, 0}, {9, 0}, {0, 9}}), true);
    row("polygon of two vertices", MapArea::polygon({{0, 0}, {9, 0}}), false);
    row("polygon vertex past the range", MapArea::polygon({{0, 0}, {9, 0}, {0, 99999}}), false);
}

void tst_MapDocument::refusedAreas()
{
    QFETCH(bool, made);
    QFETCH(bool, expected);
    QCOMPARE(made, expected);
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
    QTest::addColumn<FieldSeparator>("separator");
    QTest::addColumn<QByteArray>("field");
    const auto row = [](const char* name, const char* text, int n, FieldSeparator separator,
                        const char* field) {
        QTest::newRow(name) << QByteArray(text) << n << separator << QByteArray(field);
    };
    const FieldSeparator pipe = FieldSeparator::Pipe;
    row("first", "5|6|7", 1, pipe, "5");
    row("middle", "5|6|7", 2, pipe, "6");
    row("last", "5|6|7", 3, pipe, "7");
    row("wraps to first", "5|6|7", 4, pipe, "5");
    row("wraps to second", "5|6|7", 5, pipe, "6");
    row("commas keep blanks", "10, 20, 30", 2, FieldSeparator::Comma, " 20");
    row("pipes are no commas", "1|2", 1, FieldSeparator::Comma, "1|2");
    row("empty field", "1||3", 2, pipe, "");
}

void tst_MapDocument::getField()
{
    QFETCH(QByteArray, text);
    QFETCH(int, n);
    QFETCH(FieldSeparator, separator);
    QFETCH(QByteArray, field);
    QCOMPARE(tavlo::getField(text, n, separator), field);
}

void tst_MapDocument::countPipesIsNotLimitedToEightBits()
{
    QList<QPoint> vertices;
    for (int i = 0; i < 200; ++i)
        vertices.append({i, i * 2});
    const QByteArray pts = pointText(poly(vertices));
    QCOMPARE(countPipes(pts), 399);
    QCOMPARE(tavlo::getField(pts, 399, FieldSeparator::Pipe), QByteArray("199"));
    QCOMPARE(countPipes("50|60|42.5"), 2);
}

void tst_MapDocument::listsRunInParallel()
{
    MapDocument doc;
    doc.addArea(rect(0, 0, 10, 10));
    doc.addArea(circle(50, 50, 10), {"b.htm", "_top", "Ball"});

    for (qsizetype n : {doc.areaList().size(), doc.ptsList().size(), doc.rgnList().size(),
                        doc.hrefList().size(), doc.targetList().size(), doc.altList().size()})
        QCOMPARE(n, 2);
    QCOMPARE(doc.hrefList(), QList<QByteArray>({"#", "b.htm"}));
    QCOMPARE(doc.targetList().first(), targetPrompt);
    QCOMPARE(doc.altList().first(), altPrompt);
    QVERIFY(doc.hasUnsavedWork());
}

void tst_MapDocument::deleteAreaShiftsLaterAreas()
{
    MapDocument doc;
    for (int i = 0; i < 3; ++i) {
        doc.addArea(rect(i * 20, 0, i * 20 + 10, 10), {QByteArray::number(i), "", ""});
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
    doc.clearAreas();
    doc.clearLists();
    QVERIFY(doc.areaList().isEmpty() && doc.hrefList().isEmpty());
    doc.addArea(rect(0, 0, 10, 10));
    doc.clearAreas();
    QVERIFY(doc.areaList().isEmpty() && doc.ptsList().isEmpty() && doc.rgnList().isEmpty());
    QCOMPARE(doc.hrefList(), QList<QByteArray>{defaultHref});
    QVERIFY(!doc.hasUnsavedWork());
    // An area made before clearLists comes after the texts that stayed.
    doc.addArea(rect(0, 0, 10, 10), {"a.htm", "", ""});
    QCOMPARE(doc.hrefList(), QList<QByteArray>({defaultHref, "a.htm"}));
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
    const MapArea triangle = poly({{0, 0}, {30, 0}, {15, 25}});
    doc.addArea(triangle);
    for (const QByteArray& typed : typedHrefs) {
        // As the area dialog answers: "#" typed keeps the area's own HREF.
        const QByteArray kept = typed == defaultHref ? doc.hrefList()[0] : typed;
        doc.replaceTail(0, recordTail(typed, {}, "A"), {kept, {}, "A"});
    }
    QCOMPARE(doc.areaList()[0], areaRecord(triangle) + tail);
    QCOMPARE(doc.hrefList()[0], shownHref);
    QCOMPARE(doc.targetList()[0], typedHrefs.isEmpty() ? targetPrompt : QByteArray());
    QCOMPARE(doc.area(0).links().has_value(), !typedHrefs.isEmpty());
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
    doc.addArea(rect(20, 20, 70, 70));
    doc.addArea(rect(100, 100, 50, 50));
    doc.addArea(circle(150, 150, 10));
    QCOMPARE(doc.hitTest(point), area);
}

QTEST_GUILESS_MAIN(tst_MapDocument)
#include "tst_mapdocument.moc"
