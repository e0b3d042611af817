#include "html/mapcheck.h"
#include "html/mapimport.h"

#include <benchmark/benchmark.h>
#include <gumbo.h>

using namespace tavlo;

namespace {

// A hand-written page of about 20 MB with one map of 10,000 areas: rectangles,
// circles and polygons in turn on a grid, with text around the map as long pages have.
const QByteArray& bigPage()
{
    static const QByteArray page = [] {
        QByteArray map = "<img src=\"town.gif\" usemap=\"#town\" width=\"2000\" height=\"2000\" "
                         "alt=\"Town\">\n<map name=\"town\">\n";
        for (int i = 0; i < 10000; ++i) {
            const int x = (i % 100) * 20;
            const int y = (i / 100) * 20;
            QByteArray tag;
            switch (i % 3) {
            case 0:
                tag = "<area shape=\"rect\" coords=\"" + QByteArray::number(x) + "," +
                      QByteArray::number(y) + "," + QByteArray::number(x + 18) + "," +
                      QByteArray::number(y + 18) + "\"";
                break;
            case 1:
                tag = "<area shape=\"circle\" coords=\"" + QByteArray::number(x + 9) + " " +
                      QByteArray::number(y + 9) + " 9\"";
                break;
            default:
                tag = "<area shape=\"poly\" coords=\"" + QByteArray::number(x) + "," +
                      QByteArray::number(y) + "," + QByteArray::number(x + 18) + "," +
                      QByteArray::number(y) + "," + QByteArray::number(x + 9) + "," +
                      QByteArray::number(y + 18) + "\"";
                break;
            }
            map += "  " + tag + " href=\"page" + QByteArray::number(i) + ".htm\" alt=\"Area " +
                   QByteArray::number(i) + "\" title=\"Area &amp; more\">\n";
        }
        map += "</map>\n";
        const QByteArray filler =
            "<p class=\"text\">A paragraph of the page, with <a href=\"x.htm\">a link</a> and "
            "<em>some</em> words &amp; entities.</p>\n";
        QByteArray page = "<!doctype html>\n<html lang=\"en\"><head><title>Town</title></head>"
                          "<body>\n";
        const qsizetype target = 20 * 1000 * 1000;
        page.reserve(target + map.size() + 100);
        while (page.size() < (target - map.size()) / 2)
            page += filler;
        page += map;
        while (page.size() < target)
            page += filler;
        page += "</body></html>\n";
        return page;
    }();
    return page;
}

// The parser alone: what any reader of the page pays.
void BM_GumboParse(benchmark::State& state)
{
    const QByteArray& page = bigPage();
    for (auto _ : state) {
        GumboOptions options = kGumboDefaultOptions;
        options.max_errors = 0;
        GumboOutput* output = gumbo_parse_with_options(&options, page.constData(),
                                                       static_cast<std::size_t>(page.size()));
        benchmark::DoNotOptimize(output);
        gumbo_destroy_output(&options, output);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_GumboParse)->Unit(benchmark::kMillisecond)->MinTime(3);

// tavlo-map check of the same page: parse, every finding, the unreachable test.
void BM_CheckPage(benchmark::State& state)
{
    const QByteArray& page = bigPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(checkPage(page, QStringLiteral("/nonexistent/town.htm")));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_CheckPage)->Unit(benchmark::kMillisecond)->MinTime(3);

// A page of range(0) maps, each with its own picture tag and two areas.
QByteArray manyMaps(int count)
{
    QByteArray page = "<!doctype html>\n<html><body>\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        page += "<img src=\"p" + n + ".gif\" usemap=\"#m" + n +
                "\" width=100 height=50 alt=\"\">\n"
                "<map name=\"m" +
                n + "\"><area coords=\"0,0,40,40\" href=\"a" + n +
                ".htm\" alt=\"A\"><area shape=circle coords=\"70,25,20\" href=\"b" + n +
                ".htm\" alt=\"B\"></map>\n";
    }
    return page + "</body></html>\n";
}

// Time per map stays the same from 10,000 maps to 100,000.
void BM_CheckManyMaps(benchmark::State& state)
{
    const QByteArray page = manyMaps(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(checkPage(page, QStringLiteral("/nonexistent/maps.htm")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckManyMaps)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// import --map of the last map of the page.
void BM_ImportLastMap(benchmark::State& state)
{
    const QByteArray page = manyMaps(int(state.range(0)));
    const QByteArray last = "m" + QByteArray::number(state.range(0) - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(importMap(page, QStringLiteral("/nonexistent/maps.htm"), last,
                                           QStringLiteral("/nonexistent/map.tavl")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportLastMap)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
