#include "map/mapdocument.h"
#include "tavlofile/markupwriter.h"

#include <benchmark/benchmark.h>

using namespace tavlo;

// The map block for n rectangles: writing must stay linear in the number of areas.
static void mapBlockOfRectangles(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QList<QByteArray> areas;
    areas.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int x = (i * 37) % 30000;
        const int y = (i * 91) % 30000;
        areas.append(areaRecord(MapArea::rectangle({x, y}, {x + 40, y + 25}).value()) +
                     recordTail("page" + QByteArray::number(i) + ".htm", "_top", "Area"));
    }
    const ImageMarkup image = imageMarkup("harbour.gif", 640, 400);
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray block = mapBlock(savedImageFolder, image, areas);
        bytes = block.size();
        benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetComplexityN(n);
}
BENCHMARK(mapBlockOfRectangles)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
