// Times of the picture-based strain computations on a 4000 x 3000 picture:
// one whole boundary count (default settings, without the pause between
// orientations) and the automatic object centres with the fast and the
// direct (quadratic) area search.
#include "strain/core/chord_count.h"
#include "strain/core/object_centres.h"
#include "tests/support/strain_pictures.h"
#include "tests/support/direct_area_search.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A few hundred dark grains of 10 to 50 pixels radius on white.
const kv::PixelImage& grainPicture()
{
    static const kv::PixelImage picture = [] {
        kv::PixelImage p(4000, 3000, kv::test::kWhite);
        std::mt19937 random(1);
        for (int i = 0; i < 300; ++i)
            kv::test::fillDisc(p, 60 + random() % 3880, 60 + random() % 2880, 10 + random() % 41);
        return p;
    }();
    return picture;
}

void BM_BoundaryCountDefaultSettings(benchmark::State& state)
{
    kv::PixelImage picture = grainPicture();
    for (auto _ : state) {
        kv::BoundaryCount count(picture, {13, 10});
        std::int64_t total = 0;
        for (int k = 0; k < count.orientations(); ++k)
            total += count.countOrientation(k).count;
        benchmark::DoNotOptimize(total);
    }
}

void BM_AutoCentresPrefixSums(benchmark::State& state)
{
    const kv::PixelImage& picture = grainPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(kv::findObjectCentres(picture, 400).centres.size());
}

void BM_AutoCentresDirectAreaSearch(benchmark::State& state)
{
    const kv::PixelImage& picture = grainPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(kv::findObjectCentres(picture, 400, kv::test::directAreaCentre).centres.size());
}

} // namespace

BENCHMARK(BM_BoundaryCountDefaultSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCentresPrefixSums)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCentresDirectAreaSearch)->Unit(benchmark::kMillisecond);
