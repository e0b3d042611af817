#include "map/mapdocument.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"

#include <benchmark/benchmark.h>

#include <optional>

using namespace tavlo;

namespace {

// A page around a map of n areas: rectangles, circles and polygons in turn, each with
// all three texts, the way a finished map is saved.
QByteArray pageWithAreas(int n)
{
    QList<QByteArray> areas;
    areas.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int x = (i * 37) % 30000;
        const int y = (i * 91) % 30000;
        std::optional<MapArea> area;
        switch (i % 3) {
        case 0:
            area = MapArea::rectangle({x, y}, {x + 40, y + 25});
            break;
        case 1:
            area = MapArea::circle({x, y}, 12.5f);
            break;
        default:
            area = MapArea::polygon({{x, y}, {x + 30, y}, {x + 35, y + 20}, {x + 5, y + 28}});
            break;
        }
        areas.append(areaRecord(area.value()) +
                     recordTail("page" + QByteArray::number(i) + ".htm", "_top",
                                "Area \"" + QByteArray::number(i) + "\""));
    }
    const QByteArray block = mapBlock(savedImageFolder, imageMarkup("town.jpg", 800, 600), areas);
    return fileText(SaveKind::OriginalPage, block, "<HTML><BODY>\r\n<p>Town map</p>\r\n",
                    "\r\n<p>Footer</p>\r\n</BODY></HTML>");
}

} // namespace

// Opening a map: split the page, then rebuild every area. Must stay linear in the
// number of areas.
static void readPage(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const QByteArray page = pageWithAreas(n);
    for (auto _ : state) {
        ChtmlPage html;
        html.parsePage(page, QStringLiteral("/site/town.htm"));
        MapRead read = parseMap(html.htmlMap());
        if (read.status != MapRead::Status::Done || read.areas.size() != n)
            state.SkipWithError("map not read whole");
        benchmark::DoNotOptimize(read.areas.data());
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.SetComplexityN(n);
}
// Several rounds even for the big map, so that it is not timed on memory the process
// has never touched (the first round pays page faults that later ones do not).
BENCHMARK(readPage)
    ->Arg(10000)
    ->Arg(100000)
    ->MinTime(3.0)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// "Save in Original Page" on a 20 MB page: everything around the map is copied once.
static void writeBackLargePage(benchmark::State& state)
{
    const qsizetype half = 10 * 1024 * 1024;
    const QByteArray top =
        QByteArray("<p>Text before the map, kept as it is.</p>\r\n").repeated(half / 46);
    const QByteArray bot =
        QByteArray("\r\n<p>Text after the map, kept as it is.</p>").repeated(half / 45);
    ChtmlPage html;
    html.parsePage(top + pageWithAreas(100) + bot, QStringLiteral("/site/big.htm"));
    const QByteArray block =
        mapBlock(savedImageFolder, imageMarkup("town.jpg", 800, 600),
                 {areaRecord(MapArea::rectangle({1, 2}, {3, 4}).value()) + "a.htm"});
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray written =
            fileText(SaveKind::OriginalPage, block, html.htmlTop(), html.htmlBot());
        bytes = written.size();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB"] = static_cast<double>(bytes) / (1024 * 1024);
}
BENCHMARK(writeBackLargePage)->Unit(benchmark::kMillisecond);
