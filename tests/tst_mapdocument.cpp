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
    void shapes_data()
    {
        QTest::addColumn<MapArea>("area");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("pts");
        QTest::addColumn<QRect>("box");
        const auto row = [](const char* name, const MapArea& area, const char* record,
                            const char* pts, QRect box) {
            QTest::newRow(name) << area << QByteArray(record) << QByteArray(pts) << box;
        };
        row("rectangle dragged up and left", rect(120, 80, 20, 30),
            "<AREA SHAPE=\"rect\" COORDS=\"120, 80, 20, 30\" HREF=\"", "120|80|20|30",
            QRect(20, 30, 100, 50));
        row("circle, half radius to even", circle(50, 60, 42.5f),
            "<AREA SHAPE=\"circle\" COORDS=\"50, 60, 42\" HREF=\"", "50|60|42.5",
            QRect(QPoint(8, 18), QPoint(91, 101)));
        row("polygon", poly({{10, 10}, {100, 10}, {100, 80}}),
            "<AREA SHAPE=\"poly\" COORDS=\"10, 10, 100, 10, 100, 80\" HREF=\"",
            "10|10|100|10|100|80", QRect(10, 10, 90, 70));
    }

    void shapes()
    {
        QFETCH(MapArea, area);
        QTEST(areaRecord(area), "record");
        QTEST(pointText(area), "pts");
        QTEST(areaRegion(area).boundingRect(), "box");
    }

    // An area is made only with the points its shape needs and every number in range.
    void refusedAreas_data()
    {
        QTest::addColumn<bool>("made");
        QTest::addColumn<bool>("expected");
        const auto row = [](const char* name, const std::optional<MapArea>& area, bool expected) {
            QTest::newRow(name) << area.has_value() << expected;
        };
        row("rectangle at the ends of the range",
            MapArea::rectangle({-32768, -32768}, {32767, 32767}), true);
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

    void refusedAreas()
    {
        QFETCH(bool, made);
        QTEST(made, "expected");
    }

    void radiusText()
    {
        const QList<std::pair<float, QByteArray>> texts{
            {42.72002f, "42.72002"}, {42.5f, "42.5"}, {7.0f, "7"}, {14.142136f, "14.14214"}};
        for (const auto& [radius, text] : texts)
            QCOMPARE(tavlo::radiusText(radius), text);
    }

    // Field n of the text, counted from 1, for each n up to the table's list.
    void getField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<FieldSeparator>("separator");
        QTest::addColumn<QList<QByteArray>>("fields");
        const auto row = [](const char* name, const char* text, FieldSeparator separator,
                            const QList<QByteArray>& fields) {
            QTest::newRow(name) << QByteArray(text) << separator << fields;
        };
        const FieldSeparator pipe = FieldSeparator::Pipe;
        row("past the last, the count wraps round", "5|6|7", pipe, {"5", "6", "7", "5", "6"});
        row("commas keep blanks", "10, 20, 30", FieldSeparator::Comma, {"10", " 20", " 30"});
        row("pipes are no commas", "1|2", FieldSeparator::Comma, {"1|2"});
        row("empty field", "1||3", pipe, {"1", "", "3"});
    }

    void getField()
    {
        QFETCH(QByteArray, text);
        QFETCH(FieldSeparator, separator);
        QFETCH(QList<QByteArray>, fields);
        for (int n = 1; n <= fields.size(); ++n)
            QCOMPARE(tavlo::getField(text, n, separator), fields[n - 1]);
    }

    void countPipesIsNotLimitedToEightBits()
    {
        QList<QPoint> vertices;
        for (int i = 0; i < 200; ++i)
            vertices.append({i, i * 2});
        const QByteArray pts = pointText(poly(vertices));
        QCOMPARE(countPipes(pts), 399);
        QCOMPARE(tavlo::getField(pts, 399, FieldSeparator::Pipe), QByteArray("199"));
    }

    void deleteAreaShiftsLaterAreas()
    {
        MapDocument doc;
        for (int i = 0; i < 3; ++i)
            doc.addArea(rect(i * 20, 0, i * 20 + 10, 10), {QByteArray::number(i), "", ""});
        doc.deleteArea(1);
        for (qsizetype n : {doc.areaList().size(), doc.ptsList().size(), doc.rgnList().size(),
                            doc.hrefList().size(), doc.targetList().size(), doc.altList().size()})
            QCOMPARE(n, 2);
        QCOMPARE(doc.hrefList(), QList<QByteArray>({"0", "2"}));
        QCOMPARE(doc.ptsList(), QList<QByteArray>({"0|0|10|10", "40|0|50|10"}));
        QCOMPARE(doc.hitTest(QPointF(25, 5)), -1);
        QCOMPARE(doc.hitTest(QPointF(45, 5)), 1);
    }

    void clearAreasLeavesTextLists()
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
    void recordCarriesTheLinksGiven_data()
    {
        QTest::addColumn<QList<QByteArray>>("typedHrefs");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("shownHref");
        const auto row = [](const char* name, const QList<QByteArray>& typed, const char* tail,
                            const QByteArray& shown) {
            QTest::newRow(name) << typed << QByteArray(tail) << shown;
        };
        row("never edited", {}, "", defaultHref);
        row("edited", {"a.htm"}, "a.htm\" ALT=\"A", "a.htm");
        row("\"#\" typed over an HREF", {"a.htm", "#"}, "#\" ALT=\"A", "a.htm");
        row("quote escaped", {"a\"b"}, "a&quot;b\" ALT=\"A", "a\"b");
    }

    void recordCarriesTheLinksGiven()
    {
        QFETCH(QList<QByteArray>, typedHrefs);
        QFETCH(QByteArray, tail);
        MapDocument doc;
        const MapArea triangle = poly({{0, 0}, {30, 0}, {15, 25}});
        doc.addArea(triangle);
        for (const QByteArray& typed : typedHrefs) {
            // As the area dialog answers: "#" typed keeps the area's own HREF.
            const QByteArray kept = typed == defaultHref ? doc.hrefList()[0] : typed;
            doc.replaceTail(0, recordTail(typed, {}, "A"), {kept, {}, "A"});
        }
        QCOMPARE(doc.areaList()[0], areaRecord(triangle) + tail);
        QTEST(doc.hrefList()[0], "shownHref");
        QCOMPARE(doc.targetList()[0], typedHrefs.isEmpty() ? targetPrompt : QByteArray());
        QCOMPARE(doc.altList()[0], typedHrefs.isEmpty() ? altPrompt : QByteArray("A"));
        QCOMPARE(doc.area(0).links().has_value(), !typedHrefs.isEmpty());
    }

    void hitTest_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("area");
        const auto row = [](const char* name, QPointF p, int area) {
            QTest::newRow(name) << p << area;
        };
        row("overlap: the first made wins", {60, 60}, 0);
        row("only the second", {90, 90}, 1);
        row("bottom edge of the second is outside", {90, 100}, -1);
        row("right edge of the second is outside", {100, 90}, -1);
        row("left and top edges are inside", {20, 20}, 0);
        row("half rounds to even: 69.5 is 70, the right edge", {69.5, 30}, -1);
        row("half rounds to even: 68.5 is 68", {68.5, 30}, 0);
        row("circle", {150, 150}, 2);
        row("outside the circle's round", {141, 141}, -1);
    }

    void hitTest()
    {
        QFETCH(QPointF, point);
        MapDocument doc;
        doc.addArea(rect(20, 20, 70, 70));
        doc.addArea(rect(100, 100, 50, 50));
        doc.addArea(circle(150, 150, 10));
        QTEST(doc.hitTest(point), "area");
    }
};

QTEST_GUILESS_MAIN(tst_MapDocument)
#include "tst_mapdocument.moc"
