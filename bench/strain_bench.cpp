// Times of the picture-based strain computations on a 4000 x 3000 picture:
// one whole boundary count (default settings, without the pause between
// orientations) and the automatic object centres with the fast and the
// direct (quadratic) area search.
#include "bench/redraw.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"
#include "strain/core/chord_count.h"
#include "strain/core/fry_method.h"
#include "strain/core/object_centres.h"
#include "strain/ui/picture_pixels.h"
#include "tests/support/strain_pictures.h"
#include "tests/support/direct_area_search.h"
#include "tests/support/pixel_pictures.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

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

// The grain picture as the picture box holds a loaded picture.
const QImage& loadedGrainPicture()
{
    static const QImage image = kv::test::qImageOf(grainPicture());
    return image;
}

// The loaded picture's pixels copied line by line into a new buffer, without
// any reordering: the least any new pixel map of the picture can cost (the
// memory of a fresh buffer included).
double plainCopySeconds(const QImage& image, int times)
{
    const std::size_t count = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    const double start = kv::bench::seconds();
    for (int i = 0; i < times; ++i) {
        const std::unique_ptr<std::uint32_t[]> copy(new std::uint32_t[count]);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(copy.get() + static_cast<std::size_t>(y) * image.width(), image.constScanLine(y),
                        static_cast<std::size_t>(image.width()) * 4);
        benchmark::DoNotOptimize(copy.get());
    }
    return (kv::bench::seconds() - start) / std::max(times, 1);
}

// The loaded 4000 x 3000 picture turned into the pixel map the strain
// computations read; the reference is a plain copy of its scan lines into
// a new buffer.
void BM_PictureToPixelMap(benchmark::State& state)
{
    const QImage& image = loadedGrainPicture();
    double converting = 0;
    for (auto _ : state) {
        const double start = kv::bench::seconds();
        benchmark::DoNotOptimize(kv::pixelImageOf(image).rgb.data());
        converting += kv::bench::seconds() - start;
    }
    const double n = static_cast<double>(state.iterations());
    kv::bench::reportAgainst(state, "convert", converting / n, plainCopySeconds(image, static_cast<int>(n)));
}

kv::CellText cellsOf(const std::vector<std::vector<std::string>>& rows)
{
    return [&rows](int row, int column) -> std::string {
        if (row < 1 || row > static_cast<int>(rows.size()) || column < 1 || column > 2)
            return "";
        return rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    };
}

// The Fry window from the loaded picture: the pixel map, the automatic
// centres marked on the picture and listed in the table, then the Fry plot
// computed and painted on the 300 x 300 picture. The reference: the same
// computation from a ready pixel map and the plot drawn with one QPainter.
void BM_FryFromLoadedPicture(benchmark::State& state)
{
    const QImage& loaded = loadedGrainPicture();
    constexpr int side = 300;
    const kv::bench::Frame plotFrame{side, side, 0, side - 1, side - 1, 0};
    kv::PictureBox box;
    double converting = 0, whole = 0;
    for (auto _ : state) {
        state.PauseTiming();
        box.setPixelScale();
        box.setPicture(loaded);
        state.ResumeTiming();
        const double t0 = kv::bench::seconds();
        const kv::PixelImage pixels = kv::pixelImageOf(box.image());
        const double t1 = kv::bench::seconds();
        const kv::AutoCentres found = kv::findObjectCentres(pixels);
        std::vector<std::vector<std::string>> table;
        {
            const kv::DrawingBatch batch(box);
            box.setDrawWidth(2);
            for (const kv::PixelPos& centre : found.centres) {
                box.pset(centre.x, centre.y, QColor(Qt::red));
                table.push_back({kv::centreXText(centre), kv::centreYText(centre, loaded.height())});
            }
            box.setDrawWidth(1);
        }
        const kv::FryRun run = kv::runFryMethod(cellsOf(table));
        box.setPictureSize(side, side);
        box.setScale(plotFrame.x1, plotFrame.y1, plotFrame.x2, plotFrame.y2);
        box.cls();
        kv::paintDrawing(box, run.plot);
        const double t2 = kv::bench::seconds();
        converting += t1 - t0;
        whole += t2 - t0;
    }
    const int n = static_cast<int>(state.iterations());
    const kv::PixelImage pixels = kv::pixelImageOf(loaded);
    const double start = kv::bench::seconds();
    kv::FryRun run;
    for (int i = 0; i < n; ++i) {
        std::vector<std::vector<std::string>> table;
        for (const kv::PixelPos& centre : kv::findObjectCentres(pixels).centres)
            table.push_back({kv::centreXText(centre), kv::centreYText(centre, loaded.height())});
        run = kv::runFryMethod(cellsOf(table));
    }
    const double computing = (kv::bench::seconds() - start) / n;
    const double plainPlot = kv::bench::plainPaintingSeconds(plotFrame, run.plot, n);
    kv::bench::reportAgainst(state, "convert", converting / n, plainCopySeconds(loaded, n));
    kv::bench::reportAgainst(state, "whole", whole / n, computing + plainPlot);
    state.counters["centres"] = static_cast<double>(run.pointCount);
}

} // namespace

BENCHMARK(BM_PictureToPixelMap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FryFromLoadedPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BoundaryCountDefaultSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCentresPrefixSums)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCentresDirectAreaSearch)->Unit(benchmark::kMillisecond);
