// The byte search that spares tavlo-map check the parse of a page without a map: it
// must run at the speed of memory, far ahead of the parser (BM_GumboParse).
#include "html/mapcheck.h"

#include <benchmark/benchmark.h>

using namespace tavlo;

namespace {

// A page of about 20 MB of ordinary text and links, no map.
const QByteArray& plainPage()
{
    static const QByteArray page = [] {
        const QByteArray filler =
            "<p class=\"text\">A paragraph of the page, with <a href=\"x.htm\">a link</a>, an "
            "<img src=\"pic.gif\" alt=\"Picture\"> and <em>some</em> words &amp; entities.</p>\n";
        QByteArray page = "<!doctype html>\n<html lang=\"en\"><body>\n";
        page.reserve(20 * 1000 * 1000 + filler.size());
        while (page.size() < 20 * 1000 * 1000)
            page += filler;
        return page + "</body></html>\n";
    }();
    return page;
}

void BM_WorthChecking(benchmark::State& state)
{
    const QByteArray& page = plainPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(worthChecking(page));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_WorthChecking)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
