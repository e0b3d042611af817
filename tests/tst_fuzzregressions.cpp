// Every input the fuzzers keep, the seed corpus and each crash once found, goes again
// through the check its fuzzer runs, so a crash that was mended stays mended in builds
// without a fuzzer. With them, the area regions that the fuzzers drove past the limits
// of QRegion's own shape makers.
#include "fuzz/fuzzchecks.h"
#include "support/areas.h"
#include "support/files.h"

#include <QDir>
#include <QPolygon>
#include <QRandomGenerator>
#include <QTest>

using namespace tavlo;

namespace {

QString fuzzFolder()
{
    return test::sourcePath(QStringLiteral("fuzz/"));
}

const fuzz::Target* targetNamed(const QString& name)
{
    for (const fuzz::Target& t : fuzz::targets) {
        if (name == QLatin1String(t.name))
            return &t;
    }
    return nullptr;
}

} // namespace

class tst_FuzzRegressions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("TAVLO_SOURCE_DIR"), "TAVLO_SOURCE_DIR is not set");
        QVERIFY(QDir(fuzzFolder() + "corpus").exists());
    }

    void keptInputs_data()
    {
        QTest::addColumn<QString>("fuzzer");
        QTest::addColumn<QString>("path"); // in the source tree
        const QDir corpus(fuzzFolder() + "corpus");
        for (const QString& name : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& file : QDir(corpus.filePath(name)).entryList(QDir::Files))
                QTest::newRow(qPrintable(name + '/' + file))
                    << name << "fuzz/corpus/" + name + '/' + file;
        }
        // fuzz/crashes/<fuzzer>-<what it was>
        for (const QString& file : QDir(fuzzFolder() + "crashes").entryList(QDir::Files)) {
            QTest::newRow(qPrintable("crashes/" + file))
                << file.section(QLatin1Char('-'), 0, 0) << "fuzz/crashes/" + file;
        }
    }
    void keptInputs()
    {
        QFETCH(QString, fuzzer);
        QFETCH(QString, path);
        const fuzz::Target* target = targetNamed(fuzzer);
        QVERIFY2(target, qPrintable("no fuzzer is called " + fuzzer));
        const QByteArray problem = target->check(test::sourceFile(path));
        QVERIFY2(problem.isEmpty(), problem.constData());
    }

    void everyFuzzerHasSeeds()
    {
        for (const fuzz::Target& t : fuzz::targets)
            QVERIFY2(!QDir(fuzzFolder() + "corpus/" + t.name).entryList(QDir::Files).isEmpty(),
                     t.name);
    }

    void hugeShapes_data()
    {
        QTest::addColumn<QRegion>("region");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");
        QTest::addColumn<QRect>("box");
        const auto row = [](const char* name, const QRegion& region, QPoint in, QPoint out,
                            QRect box) { QTest::newRow(name) << region << in << out << box; };
        // QRegion gives an empty region for a polygon of more than 100000 rows.
        row("polygon of 327672 rows", polygonRegion({{0, 3}, {40000, 327675}, {-25, 9}}), {0, 100},
            {-20, 100}, QRect(QPoint(-25, 4), QPoint(3999, 32767)));
        row("polygon kept to the 16-bit range",
            polygonRegion({{0, -2000000000}, {2000000000, 15000}, {-2000000000, 2000000000}}),
            {32767, 32767}, {32768, 0}, {-32768, -32768, 65536, 65536});
        row("circle of radius 32767", areaRegion(test::circle(0, 0, 32767)), {32766, 0},
            {23200, 23200}, {-32767, -32767, 65534, 65534});
        row("circle in a corner of the range", areaRegion(test::circle(-32768, 32767, 32767.4f)),
            {-32768, 32767}, {-3, 0}, QRect(QPoint(-32768, 0), QPoint(-2, 32767)));
    }
    void hugeShapes()
    {
        QFETCH(QRegion, region);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);
        QFETCH(QRect, box);
        QVERIFY(region.contains(inside));
        QVERIFY(!region.contains(outside));
        QCOMPARE(region.boundingRect(), box);
    }

    // The region of a polygon is built row by row, and must cover exactly the pixels that
    // QRegion's own polygon region covers.
    void polygonRegionsAreQRegionsOwn()
    {
        QRandomGenerator random(20240);
        for (int i = 0; i < 3000; ++i) {
            const int side = i % 2 ? 12 : 300;
            QList<QPoint> vertices;
            for (int n = 3 + random.bounded(10); n > 0; --n)
                vertices.append({random.bounded(-side, side), random.bounded(-side, side)});
            const QRegion own(QPolygon(vertices), Qt::OddEvenFill);
            const MapArea area = test::poly(vertices);
            QVERIFY2(areaRegion(area).xored(own).isEmpty(), pointText(area));
        }
    }
};

QTEST_GUILESS_MAIN(tst_FuzzRegressions)
#include "tst_fuzzregressions.moc"
