// Time for the line-curvature tool to binarise a 4000 × 3000 drawing of dark
// lines five pixels wide, thin it until nothing changes and run the curvature
// pass over the skeletons.
#include "strain/core/binarise.h"
#include "strain/core/curvature_pass.h"
#include "strain/core/thinning.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr std::uint32_t kInk = 0x202020;

// A fixed sequence, so every run draws the same picture.
class Sequence {
public:
    int next(int below)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(below));
    }

private:
    std::uint64_t state_ = 20240611;
};

void stamp(kv::PixelImage& picture, double cx, double cy)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int x = static_cast<int>(std::lround(cx)) + dx; const int y = static_cast<int>(std::lround(cy)) + dy;
            if (dx * dx + dy * dy <= 5 && picture.contains(x, y))
                picture.set(x, y, kInk);
        }
}

const kv::PixelImage& lineDrawing()
{
    static const kv::PixelImage picture = [] {
        kv::PixelImage p(kWidth, kHeight, 0xFFFFFF);
        Sequence s;
        for (int i = 0; i < 60; ++i) { // straight strokes
            const double x0 = s.next(kWidth), y0 = s.next(kHeight), x1 = s.next(kWidth), y1 = s.next(kHeight);
            const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0));
            for (int t = 0; t <= steps; ++t)
                stamp(p, x0 + (x1 - x0) * t / steps, y0 + (y1 - y0) * t / steps);
        }
        for (int i = 0; i < 40; ++i) { // circles
            const double cx = s.next(kWidth), cy = s.next(kHeight), r = 30 + s.next(400);
            const int steps = static_cast<int>(2 * 3.14159 * r);
            for (int t = 0; t < steps; ++t)
                stamp(p, cx + r * std::cos(t / r), cy + r * std::sin(t / r));
        }
        return p;
    }();
    return picture;
}

kv::PixelMap thinnedMap()
{
    kv::PixelMap map = kv::binarise(lineDrawing(), 128);
    while (!kv::thinOnce(map).deleted.empty()) {
    }
    return map;
}

void BM_CurvatureBinarise(benchmark::State& state)
{
    const kv::PixelImage& picture = lineDrawing(); // drawn once, outside the timing
    for (auto _ : state) {
        kv::PixelMap map = kv::binarise(picture, 128);
        benchmark::DoNotOptimize(map.cells.data());
    }
}

void BM_CurvatureThinToTheEnd(benchmark::State& state)
{
    const kv::PixelMap binary = kv::binarise(lineDrawing(), 128);
    int clicks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kv::PixelMap map = binary;
        state.ResumeTiming();
        clicks = 0;
        while (!kv::thinOnce(map).deleted.empty())
            ++clicks;
    }
    state.counters["clicks"] = clicks;
}

void BM_CurvaturePass(benchmark::State& state)
{
    const kv::PixelMap thinned = thinnedMap();
    std::size_t fits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kv::PixelMap map = thinned;
        state.ResumeTiming();
        fits = kv::runCurvaturePass(map).fits.size();
    }
    state.counters["fits"] = static_cast<double>(fits);
    state.counters["lines"] = static_cast<double>(kv::countCells(thinned, kv::PixelMap::line));
}

// What the user waits for in all, one click after another.
void BM_CurvatureWholeRun(benchmark::State& state)
{
    const kv::PixelImage& picture = lineDrawing();
    for (auto _ : state) {
        kv::PixelMap map = kv::binarise(picture, 128);
        while (!kv::thinOnce(map).deleted.empty()) {
        }
        benchmark::DoNotOptimize(kv::runCurvaturePass(map).rows.size());
    }
}

} // namespace

BENCHMARK(BM_CurvatureBinarise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvatureThinToTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvaturePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvatureWholeRun)->Unit(benchmark::kMillisecond);
