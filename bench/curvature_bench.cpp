// Time for the line-curvature tool to binarise a 4000 × 3000 drawing of dark
// lines five pixels wide, thin it until nothing changes and run the curvature
// pass over the skeletons.
#include "bench/redraw.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"
#include "strain/core/curvature_drawing.h"
#include "strain/core/curvature_pass.h"
#include "strain/core/thinning.h"
#include "strain/ui/curvature_steps.h"
#include "strain/ui/picture_pixels.h"

#include <QImage>
#include <benchmark/benchmark.h>


#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr QRgb kInk = 0xFF202020;

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

void stamp(QImage& picture, double cx, double cy)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int x = static_cast<int>(std::lround(cx)) + dx; const int y = static_cast<int>(std::lround(cy)) + dy;
            if (dx * dx + dy * dy <= 5 && picture.valid(x, y))
                picture.setPixel(x, y, kInk);
        }
}

// The drawing as the picture box holds it once loaded.
const QImage& lineDrawing()
{
    static const QImage picture = [] {
        QImage p(kWidth, kHeight, QImage::Format_RGB32);
        p.fill(Qt::white);
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
    kv::PixelMap map = kv::binariseImage(lineDrawing(), 128).map;
    while (!kv::thinOnce(map).deleted.empty()) {
    }
    return map;
}

// The pixel map and its black-and-white picture, from the loaded picture's
// scan lines.
void BM_CurvatureBinarise(benchmark::State& state)
{
    const QImage& picture = lineDrawing(); // drawn once, outside the timing
    for (auto _ : state) {
        kv::BinarisedImage binarised = kv::binariseImage(picture, 128);
        benchmark::DoNotOptimize(binarised.map.cells.data());
    }
}

void BM_CurvatureThinToTheEnd(benchmark::State& state)
{
    const kv::PixelMap binary = kv::binariseImage(lineDrawing(), 128).map;
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
    const QImage& picture = lineDrawing();
    for (auto _ : state) {
        kv::PixelMap map = kv::binariseImage(picture, 128).map;
        while (!kv::thinOnce(map).deleted.empty()) {
        }
        benchmark::DoNotOptimize(kv::runCurvaturePass(map).rows.size());
    }
}

// The line-curvature window from the loaded picture, every step as the
// window takes it: binarise (the pixel map of the picture, the black and white
// picture shown), thin until nothing changes (each click whitens the deleted
// pixels of the picture shown), then the pass: the result plot as large as the
// picture, the table of every fit and the plot painted. The reference: the
// same computation on a plain pixel map (binarised from the loaded picture as
// the window does it, without showing it) and the plot drawn with one QPainter.
void BM_CurvatureFromLoadedPicture(benchmark::State& state)
{
    const QImage& loaded = lineDrawing();
    kv::PictureBox picture, plot;
    kv::DataGrid grid;
    grid.setup(1, 4);
    double binarising = 0, thinning = 0, passing = 0, tabling = 0, painting = 0;
    std::size_t fits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        picture.setPicture(loaded);
        plot.setPictureSize(1, 1);
        state.ResumeTiming();
        const double t0 = kv::bench::seconds();
        kv::PixelMap map = kv::binariseShownPicture(picture, 128);
        const double t1 = kv::bench::seconds();
        while (kv::thinShownPicture(picture, map)) {
        }
        const double t2 = kv::bench::seconds();
        kv::resizeKeepingDrawing(plot, picture.pictureSize());
        plot.cls();
        grid.setRowCount(0);
        const kv::CurvaturePass pass = kv::runCurvaturePass(map);
        const double t3 = kv::bench::seconds();
        kv::fillCurvatureTable(grid, pass.rows);
        const double t4 = kv::bench::seconds();
        kv::paintDrawing(plot, kv::curvatureDrawing(pass.fits));
        const double t5 = kv::bench::seconds();
        binarising += t1 - t0;
        thinning += t2 - t1;
        passing += t3 - t2;
        tabling += t4 - t3;
        painting += t5 - t4;
        fits = pass.fits.size();
    }
    const int n = static_cast<int>(state.iterations());
    const kv::bench::Frame frame{kWidth, kHeight, 0, 0, kWidth, kHeight};
    double computing = 0, plainPlot = 0;
    for (int i = 0; i < n; ++i) {
        const double t0 = kv::bench::seconds();
        kv::PixelMap map = kv::binariseImage(loaded, 128).map;
        while (!kv::thinOnce(map).deleted.empty()) {
        }
        const kv::Drawing drawing = kv::curvatureDrawing(kv::runCurvaturePass(map).fits);
        computing += kv::bench::seconds() - t0;
        plainPlot += kv::bench::plainPaintingSeconds(frame, drawing, 1);
    }
    const double whole = binarising + thinning + passing + tabling + painting;
    state.counters["binarise_ms"] = binarising / n * 1e3;
    state.counters["thin_ms"] = thinning / n * 1e3;
    state.counters["pass_ms"] = passing / n * 1e3;
    state.counters["table_ms"] = tabling / n * 1e3;
    state.counters["fits"] = static_cast<double>(fits);
    kv::bench::reportAgainst(state, "paint", painting / n, plainPlot / n);
    kv::bench::reportAgainst(state, "whole", whole / n, (computing + plainPlot) / n);
}

} // namespace

BENCHMARK(BM_CurvatureFromLoadedPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurvatureBinarise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvatureThinToTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvaturePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurvatureWholeRun)->Unit(benchmark::kMillisecond);
