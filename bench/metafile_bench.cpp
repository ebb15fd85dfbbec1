// Time to play a corpus metafile (the picture reader's whole route from bytes
// to image: the records read, each call counted and drawn), beside a plain
// reference in the same run: the same shapes drawn with one QPainter on a
// white image of the same size, no record read.
#include "bench/redraw.h"
#include "platform/metafile/metafile.h"
#include "tests/support/metafile_reference.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

void benchPlaying(benchmark::State& state, const kv::test::CorpusFile& file)
{
    double played = 0, plain = 0;
    int n = 0;
    for (auto _ : state) {
        // Both drawings start from a heap handed back to the system, as a
        // picture opened once does. Otherwise whichever draws second takes
        // over pages the first has just freed (the player's points and
        // scratch images), and the ratio measures the allocator's order
        // rather than the drawing.
        malloc_trim(0);
        const double start = kv::bench::seconds();
        const kv::MetafileRead read = kv::renderMetafile(file.bytes);
        played += kv::bench::seconds() - start;
        benchmark::DoNotOptimize(read.image.constBits());
        if (read.fault != kv::MetafileFault::None)
            state.SkipWithError("the metafile was not drawn");
        malloc_trim(0);
        const double reference = kv::bench::seconds();
        const QImage picture = kv::test::referencePicture(*file.drawing);
        plain += kv::bench::seconds() - reference;
        benchmark::DoNotOptimize(picture.constBits());
        ++n;
    }
    kv::bench::reportAgainst(state, "play", played / n, plain / n);
}

void BM_MetafileMapOf20000Polylines(benchmark::State& state)
{
    static const kv::test::CorpusFile map = kv::test::polylineMapWmf(20000);
    benchPlaying(state, map);
}
BENCHMARK(BM_MetafileMapOf20000Polylines)->Unit(benchmark::kMillisecond);

void BM_MetafileFillsAndLabels(benchmark::State& state)
{
    static const kv::test::CorpusFile fills = kv::test::fillsAndLabelsEmf();
    benchPlaying(state, fills);
}
BENCHMARK(BM_MetafileFillsAndLabels)->Unit(benchmark::kMillisecond);

// One polyline of 100,000 points: what reading, mapping and counting cost a
// point, where a map's cost is mostly Qt's drawing.
void BM_MetafileOutlineOf100000Points(benchmark::State& state)
{
    static const kv::test::CorpusFile outline = kv::test::outlineEmf(100000);
    benchPlaying(state, outline);
}
BENCHMARK(BM_MetafileOutlineOf100000Points)->Unit(benchmark::kMillisecond);

} // namespace
