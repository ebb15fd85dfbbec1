// Zelquad's run on a large survey: 50,000 random fracture records read,
// checked, classed, contoured and written as the sheet's script.
#include "zelquad/core/contour_nodes.h"
#include "zelquad/core/fracture_records.h"
#include "zelquad/core/plot_run.h"
#include "zelquad/core/triangulation.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string randomSurvey(int count)
{
    unsigned seed = 7u;
    auto next = [&seed](unsigned range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    std::string text;
    char line[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%u.%u,%u\r\n", next(360), next(10), next(91));
        text += line;
    }
    return text;
}

const std::string& survey()
{
    static const std::string text = randomSurvey(50000);
    return text;
}

std::filesystem::path benchFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "zelquad_bench";
        std::filesystem::create_directories(f);
        std::ofstream(f / "survey.dat", std::ios::binary) << survey();
        return f;
    }();
    return folder;
}

void BM_ReadAndCheck50000Records(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(zq::readFractureRecords(survey()));
}
BENCHMARK(BM_ReadAndCheck50000Records)->Unit(benchmark::kMillisecond);

void BM_StatisticsOf50000Records(benchmark::State& state)
{
    const auto records = std::get<zq::CheckedRecords>(zq::readFractureRecords(survey()));
    for (auto _ : state)
        benchmark::DoNotOptimize(zq::computeStatistics(records));
}
BENCHMARK(BM_StatisticsOf50000Records)->Unit(benchmark::kMillisecond);

// What a run costs when the triangulation has to be built (the first run).
void BM_Triangulation(benchmark::State& state)
{
    const auto nodes = zq::contourNodes(zq::DensityGrid{});
    for (auto _ : state)
        benchmark::DoNotOptimize(zq::triangulate(nodes));
}
BENCHMARK(BM_Triangulation)->Unit(benchmark::kMillisecond);

// The whole run from the data file to the script on disk, triangulation cached.
void BM_WholeRunOf50000Records(benchmark::State& state)
{
    const auto folder = benchFolder();
    const zq::PlotRequest request{"坝址", (folder / "survey.dat").string(), (folder / "survey").string(),
                                  (folder / "cache").string()};
    for (auto _ : state) {
        auto result = zq::generatePlotScript(request);
        if (!std::holds_alternative<zq::PlotResult>(result))
            state.SkipWithError("the run was refused");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_WholeRunOf50000Records)->Unit(benchmark::kMillisecond);

} // namespace
