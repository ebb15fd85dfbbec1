// Each diagram tool's redraw as its window does it, on a picture box of the
// tool's size: the computation from the table (499 records), the items, then
// clearing and painting. Beside each, in the same run, the same items drawn
// with one QPainter on a plain image; the counter paint_x_ref is the ratio.
#include "bench/redraw.h"
#include "bench/table_rows.h"

#include "attitude/core/net_diagrams.h"
#include "attitude/core/rose.h"
#include "attitude/core/rose_table.h"
#include "fold/core/beta_analysis.h"
#include "fold/core/beta_diagram.h"
#include "fold/core/pi_diagram.h"
#include "fold/core/rheometer_chart.h"
#include "fold/core/rheometer_session.h"
#include "platform/ui/twips.h"
#include "strain/core/count_curve_fit.h"
#include "strain/core/strain_ellipse.h"
#include "zelquad/core/plot_previews.h"
#include "zelquad/core/plot_run.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using kv::Drawing;
using kv::bench::Frame;
using kv::bench::Rows;
using kv::bench::cellsOf;
using kv::bench::jointSets;

// The β timing's measured planes: dip directions (i x 37) mod 360, dips 20 + (i x 13) mod 70.
const Rows& measuredPlanes()
{
    static const Rows rows = [] {
        Rows r;
        for (int i = 0; i < 499; ++i)
            r.push_back({std::to_string((i * 37) % 360), std::to_string(20 + (i * 13) % 70)});
        return r;
    }();
    return rows;
}

// A fold: 250 beds of the left limb round 250/35, 249 of the right round 70/55.
const Rows& foldLimbs()
{
    static const Rows rows = [] {
        Rows r;
        for (int i = 0; i < 499; ++i) {
            const bool left = i < 250;
            r.push_back({std::to_string((left ? 245 : 65) + (i * 7) % 11), std::to_string((left ? 30 : 50) + (i * 3) % 11)});
        }
        return r;
    }();
    return rows;
}

const std::string kDate = "2024/5/6";

void BM_JointRose(benchmark::State& state, kv::RoseKind kind)
{
    const kv::CellText cells = cellsOf(measuredPlanes());
    const kv::RosePicture& rp = kv::kRosePicture;
    kv::bench::benchRedraw(state, {rp.pixels, rp.pixels, rp.scaleX1, rp.scaleY1, rp.scaleX2, rp.scaleY2}, [&] {
        return kv::roseDrawing(kv::roseDiagram(kind, kv::scanJointTable(cells).records));
    });
}
BENCHMARK_CAPTURE(BM_JointRose, dip_direction, kv::RoseKind::DipDirection)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_JointRose, strike, kv::RoseKind::Strike)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_JointRose, dip_angle, kv::RoseKind::DipAngle)->Unit(benchmark::kMillisecond)->UseRealTime();

// The petrofabric table: the same attitudes, each with its third column.
const Rows& petrofabricTable()
{
    static const Rows rows = [] {
        Rows r = jointSets();
        for (auto& row : r)
            row.push_back("n");
        return r;
    }();
    return rows;
}

void netRedraw(benchmark::State& state, const std::function<kv::NetDiagram()>& diagram)
{
    if (!diagram().drawing) {
        state.SkipWithError("the table was refused");
        return;
    }
    kv::bench::benchRedraw(state, kv::bench::netFrame(), [&] { return *diagram().drawing; });
}

void BM_PreferredOrientationScatter(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(jointSets());
    kv::PreferredOrientationEngine engine;
    engine.dataType = "P";
    netRedraw(state, [&] { return engine.scatterDiagram(cells, kDate); });
}
BENCHMARK(BM_PreferredOrientationScatter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreferredOrientationContour(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(jointSets());
    kv::PreferredOrientationEngine engine;
    engine.dataType = "P";
    netRedraw(state, [&] { return engine.contourDiagram(cells, kDate); });
}
BENCHMARK(BM_PreferredOrientationContour)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PetrofabricScatter(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(petrofabricTable());
    kv::PetrofabricEngine engine;
    netRedraw(state, [&] { return engine.scatterDiagram(cells); });
}
BENCHMARK(BM_PetrofabricScatter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PetrofabricContour(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(petrofabricTable());
    kv::PetrofabricEngine engine;
    netRedraw(state, [&] { return engine.contourDiagram(cells); });
}
BENCHMARK(BM_PetrofabricContour)->Unit(benchmark::kMillisecond)->UseRealTime();

// The measured planes alone: 499 great circles, about 36,000 chain points.
void BM_BetaMeasuredPlanes(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(measuredPlanes());
    kv::bench::benchRedraw(state, kv::bench::netFrame(), [&] { return kv::measuredPlanesDiagram(cells, 499, kDate); });
}
BENCHMARK(BM_BetaMeasuredPlanes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The analysed fold with every measured bed drawn.
void BM_BetaFoldWithBeds(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(foldLimbs());
    const kv::BetaSettings settings{"250", "249", false};
    if (!kv::analyseBetaTable(settings, cells).ok()) {
        state.SkipWithError("the fold was not analysed");
        return;
    }
    kv::bench::benchRedraw(state, kv::bench::netFrame(), [&] {
        return kv::betaDiagram(kv::analyseBetaTable(settings, cells).fold, cells, true, kDate);
    });
}
BENCHMARK(BM_BetaFoldWithBeds)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PiDiagram(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(foldLimbs());
    kv::bench::benchRedraw(state, kv::bench::netFrame(), [&] { return kv::piDiagram(kv::analysePiTable(cells), kDate); });
}
BENCHMARK(BM_PiDiagram)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each view of the rheometer after analysing a fold (each on its own scale).
void BM_RheometerChart(benchmark::State& state, kv::RheometerView view)
{
    kv::RheometerState fold;
    const char* row[] = {"0.5", "0.866", "1", "100", "80", "5"};
    kv::runFoldAnalysis(fold, [&](int, int c) { return std::string(c >= 1 && c <= 6 ? row[c - 1] : ""); });
    const kv::ChartScale s = kv::rheometerChart(view, fold.shape).scale;
    const int side = kv::kRheometerPicturePixels;
    kv::bench::benchRedraw(state, {side, side, s.left, s.top, s.right, s.bottom},
                           [&] { return kv::rheometerChart(view, fold.shape).drawing; });
}
BENCHMARK_CAPTURE(BM_RheometerChart, profile, kv::RheometerView::ProfileAndCurvature)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RheometerChart, ki_limb_dip, kv::RheometerView::KiAgainstLimbDip)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RheometerChart, ki_shortening, kv::RheometerView::KiAgainstShortening)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RheometerChart, ki_length, kv::RheometerView::KiAgainstLengthToThickness)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RheometerChart, legend, kv::RheometerView::Legend)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reverse-wheel count plot (18 orientations, 10 degrees apart) fitted
// with a cubic, as the fit dialog draws it, and the strain ellipse after it.
const Rows& boundaryCounts()
{
    static const Rows rows = [] {
        Rows r;
        for (int k = 0; k < 18; ++k) {
            const double a = k * 10.0 * 3.141592653589793 / 180;
            char count[16];
            std::snprintf(count, sizeof count, "%d", static_cast<int>(400 + 150 * std::cos(2 * (a - 0.6))));
            r.push_back({std::to_string(k * 10), count});
        }
        return r;
    }();
    return rows;
}

const Frame kCountPlotFrame{kv::twipsToPixels(4215), kv::twipsToPixels(4215), -30, 200, 200, -30};

void BM_ReverseWheelCountPlot(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(boundaryCounts());
    const kv::CountSettings settings;
    if (!std::holds_alternative<kv::CountCurve>(kv::fitCountCurve(cells, settings, 3))) {
        state.SkipWithError("the counts were not fitted");
        return;
    }
    kv::bench::benchRedraw(state, kCountPlotFrame,
                           [&] { return std::get<kv::CountCurve>(kv::fitCountCurve(cells, settings, 3)).plot; });
}
BENCHMARK(BM_ReverseWheelCountPlot)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReverseWheelStrainEllipse(benchmark::State& state)
{
    const kv::CellText cells = cellsOf(boundaryCounts());
    const kv::CountSettings settings;
    const auto fitted = kv::fitCountCurve(cells, settings, 3);
    const auto* curve = std::get_if<kv::CountCurve>(&fitted);
    if (!curve || !std::holds_alternative<Drawing>(kv::strainEllipseDrawing(curve->extremes))) {
        state.SkipWithError("no strain ellipse");
        return;
    }
    const Frame frame{kCountPlotFrame.width, kCountPlotFrame.height, -150, 150, 150, -150};
    kv::bench::benchRedraw(state, frame, [&] { return std::get<Drawing>(kv::strainEllipseDrawing(curve->extremes)); });
}
BENCHMARK(BM_ReverseWheelStrainEllipse)->Unit(benchmark::kMillisecond)->UseRealTime();

// Zelquad's run on 499 records (reading, statistics, contours, the script on
// disk), then the preview it draws in the dialog or in the result window.
std::filesystem::path zelquadFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "zelquad_preview_bench";
        std::filesystem::create_directories(f);
        std::ofstream out(f / "survey.dat", std::ios::binary);
        unsigned seed = 11u;
        for (int i = 0; i < 499; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const unsigned direction = (seed >> 8) % 360;
            seed = seed * 1664525u + 1013904223u;
            out << direction << ',' << (seed >> 8) % 91 << "\r\n";
        }
        return f;
    }();
    return folder;
}

void BM_ZelquadPreview(benchmark::State& state, bool small)
{
    const auto folder = zelquadFolder();
    const zq::PlotRequest request{"坝址", (folder / "survey.dat").string(), (folder / "survey").string(),
                                  (folder / "cache").string()};
    const auto run = [&] {
        auto result = zq::generatePlotScript(request);
        auto* plot = std::get_if<zq::PlotResult>(&result);
        return plot ? (small ? plot->smallPreview : plot->resultPreview) : Drawing{};
    };
    if (run().items.empty()) {
        state.SkipWithError("the run was refused");
        return;
    }
    // The dialog's picture and the result window at its design size, both in twips.
    const int w = small ? 250 : kv::twipsToPixels(9600);
    const int h = small ? 190 : kv::twipsToPixels(7200);
    kv::bench::benchRedraw(state, {w, h, 0, 0, double(w * kv::twipsPerPixel), double(h * kv::twipsPerPixel)}, run);
}
BENCHMARK_CAPTURE(BM_ZelquadPreview, dialog, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ZelquadPreview, result_window, false)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
