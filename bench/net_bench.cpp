// Time to draw the net diagrams of a full table (499 records): the scatter
// diagram (preparation, density count and the items) and the whole contour
// diagram (preparation, count, levels, tracing, smoothing, maxima, items).
#include "attitude/core/density_grid.h"
#include "attitude/core/net_diagrams.h"

#include "bench/table_rows.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using kv::bench::cellsOf;

void BM_NetScatterWithDensityCount(benchmark::State& state)
{
    const auto& rows = kv::bench::jointSets();
    const kv::CellText cells = cellsOf(rows);
    kv::PreferredOrientationEngine engine;
    engine.dataType = "P";
    for (auto _ : state) {
        kv::NetDiagram d = engine.scatterDiagram(cells, "2024/5/6");
        kv::countDensity(engine.state);
        benchmark::DoNotOptimize(d.drawing->items.data());
        benchmark::DoNotOptimize(engine.state.maxDensity);
    }
}

void BM_NetContourDiagram(benchmark::State& state)
{
    const auto& rows = kv::bench::jointSets();
    const kv::CellText cells = cellsOf(rows);
    kv::PreferredOrientationEngine engine;
    engine.dataType = "P";
    for (auto _ : state) {
        kv::NetDiagram d = engine.contourDiagram(cells, "2024/5/6");
        benchmark::DoNotOptimize(d.drawing->items.data());
    }
}

} // namespace

BENCHMARK(BM_NetScatterWithDensityCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetContourDiagram)->Unit(benchmark::kMillisecond);
