// Time to compute the three joint roses of a full table (499 records).
#include "attitude/core/rose.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<kv::Attitude> fullJointTable()
{
    std::vector<kv::Attitude> records;
    for (int i = 0; i < 499; ++i)
        records.push_back({double((i * 37) % 360), double((i * 13) % 91)});
    return records;
}

void runRose(benchmark::State& state, kv::RoseKind kind)
{
    const auto records = fullJointTable();
    for (auto _ : state) {
        kv::RoseDiagram rose = kv::roseDiagram(kind, records);
        benchmark::DoNotOptimize(rose.vertices.data());
    }
}

void BM_DipDirectionRose(benchmark::State& state) { runRose(state, kv::RoseKind::DipDirection); }
void BM_StrikeRose(benchmark::State& state) { runRose(state, kv::RoseKind::Strike); }
void BM_DipAngleRose(benchmark::State& state) { runRose(state, kv::RoseKind::DipAngle); }

} // namespace

BENCHMARK(BM_DipDirectionRose);
BENCHMARK(BM_StrikeRose);
BENCHMARK(BM_DipAngleRose);
