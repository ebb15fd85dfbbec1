// The Fry window's plot of a full centre table: the computation from the
// table texts, then clearing and painting on its 300 x 300 picture box,
// beside the same items drawn with one QPainter on a plain image.
#include "bench/redraw.h"
#include "bench/table_rows.h"

#include "platform/text/number_text.h"
#include "strain/core/fry_method.h"

#include <random>

namespace {

// 199 centres at random over a 3000 x 3000 picture, written as the window
// writes them: about 21,700 of the pairs fall inside the plot.
const kv::bench::Rows& fullCentreTable()
{
    static const kv::bench::Rows rows = [] {
        std::mt19937 random(1);
        // Our own mapping of the generator's bits: the same table on every library.
        const auto coordinate = [&random] { return static_cast<float>(50 + (random() >> 8) * (2900.0 / (1u << 24))); };
        kv::bench::Rows r;
        for (int k = 0; k < 199; ++k) {
            const float x = coordinate();
            r.push_back({kv::cellText(x), kv::cellText(coordinate())});
        }
        return r;
    }();
    return rows;
}

void BM_FryPlotFullTable(benchmark::State& state)
{
    const kv::CellText cells = kv::bench::cellsOf(fullCentreTable());
    if (fullCentreTable().size() != 199 || !kv::runFryMethod(cells).ellipse) {
        state.SkipWithError("not a full table with its ellipse");
        return;
    }
    kv::bench::benchRedraw(state, {300, 300, 0, 299, 299, 0}, [&] { return kv::runFryMethod(cells).plot; });
}
BENCHMARK(BM_FryPlotFullTable)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
