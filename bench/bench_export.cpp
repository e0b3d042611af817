#include "export/mapexport.h"

#include <benchmark/benchmark.h>

using namespace tavlo;

// `tavlo-map export --format svg` of n areas, shapes taken in turn, each with a link
// and an alt text that needs escaping: the writer must stay linear in the area count.
static void svgOfAreas(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    ForeignMap map;
    map.name = "big";
    map.areas.reserve(n);
    for (int i = 0; i < n; ++i) {
        ForeignArea area;
        const double x = (i * 37) % 30000;
        const double y = (i * 91) % 30000;
        switch (i % 3) {
        case 0:
            area.shape = ForeignShape::Rect;
            area.coords = {x, y, x + 40, y + 25};
            break;
        case 1:
            area.shape = ForeignShape::Circle;
            area.coords = {x, y, 12.5};
            break;
        default:
            area.shape = ForeignShape::Poly;
            area.coords = {x, y, x + 30, y, x + 15, y + 20};
        }
        area.href = "page" + QByteArray::number(i) + ".htm?a=1&b=2";
        area.alt = "Area \"" + QByteArray::number(i) + "\" <here>";
        map.areas.append(area);
    }
    ForeignImage image;
    image.src = "harbour.gif";
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray svg = exportSvg(image, map, image.src, 30040, 30025);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetComplexityN(n);
}
BENCHMARK(svgOfAreas)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
