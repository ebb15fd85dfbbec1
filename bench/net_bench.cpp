// Time to draw the net diagrams of a full table (499 records): the scatter
// diagram (preparation, density count and the items) and the whole contour
// diagram (preparation, count, levels, tracing, smoothing, maxima, items).
#include "attitude/core/density_grid.h"
#include "attitude/core/net_diagrams.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Two joint sets and a scatter of planes near the rim (many rim copies),
// as cell texts.
std::vector<std::vector<std::string>> fullTable()
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 499; ++i) {
        int direction = 0, dip = 0;
        switch (i % 3) {
        case 0: direction = 120 + (i * 7) % 31; dip = 45 + (i * 11) % 21; break;
        case 1: direction = 250 + (i * 13) % 27; dip = 70 + (i * 5) % 21; break;
        default: direction = (i * 37) % 360; dip = 80 + (i * 3) % 11; break;
        }
        rows.push_back({std::to_string(direction), std::to_string(dip)});
    }
    return rows;
}

kv::CellText cellsOf(const std::vector<std::vector<std::string>>& rows)
{
    return [&rows](int row, int column) -> std::string {
        if (row > static_cast<int>(rows.size()))
            return "";
        return rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    };
}

void BM_NetScatterWithDensityCount(benchmark::State& state)
{
    const auto rows = fullTable();
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
    const auto rows = fullTable();
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
