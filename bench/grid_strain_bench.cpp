// The grid-method result of a full table (20 x 24 = 480 points, a grid of
// 10-unit cells under a simple shear and a stretch): the strain at every point
// and the four result files written, as the window does it. The reference:
// the textbook finite differences of the same displacements from numbers
// already read, formatted with printf and written with plain streams.
#include "bench/redraw.h"
#include "strain/core/grid_strain.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 20;
constexpr int kCols = 24;

struct GridTable {
    std::vector<std::array<double, 4>> numbers; // x0, y0, x1, y1 of each point, row by row
    std::vector<std::array<std::string, 4>> texts;
};

const GridTable& gridTable()
{
    static const GridTable table = [] {
        GridTable t;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                const double x0 = 10.0 * c, y0 = 10.0 * r;
                const double x1 = x0 * 1.05 + 0.2 * y0 + 0.01 * std::sin(r + c), y1 = y0 * 0.97 + 0.01 * std::cos(r * c);
                t.numbers.push_back({x0, y0, x1, y1});
                std::array<std::string, 4> text;
                for (int k = 0; k < 4; ++k) {
                    char buffer[32];
                    std::snprintf(buffer, sizeof buffer, "%.4f", t.numbers.back()[static_cast<std::size_t>(k)]);
                    text[static_cast<std::size_t>(k)] = buffer;
                }
                t.texts.push_back(text);
            }
        return t;
    }();
    return table;
}

std::filesystem::path folder()
{
    static const std::filesystem::path f = [] {
        auto p = std::filesystem::temp_directory_path() / "grid_strain_bench";
        std::filesystem::create_directories(p);
        return p;
    }();
    return f;
}

// The textbook strain of each cell corner from its right and upper neighbours.
void textbookGridStrain(const GridTable& t)
{
    const char* names[] = {"ref_ex.txt", "ref_ey.txt", "ref_exy.txt", "ref_rot.txt"};
    std::ofstream out[4];
    for (int k = 0; k < 4; ++k)
        out[k].open(folder() / names[k], std::ios::binary);
    char line[96];
    for (int r = 1; r < kRows; ++r)
        for (int c = 0; c + 1 < kCols; ++c) {
            const auto& j = t.numbers[static_cast<std::size_t>(r * kCols + c)];
            const auto& h = t.numbers[static_cast<std::size_t>(r * kCols + c + 1)];
            const auto& p = t.numbers[static_cast<std::size_t>((r - 1) * kCols + c)];
            const double dx = h[0] - j[0], dy = j[1] - p[1];
            const double dudx = ((h[2] - h[0]) - (j[2] - j[0])) / dx, dvdx = ((h[3] - h[1]) - (j[3] - j[1])) / dx;
            const double dudy = ((j[2] - j[0]) - (p[2] - p[0])) / dy, dvdy = ((j[3] - j[1]) - (p[3] - p[1])) / dy;
            const double values[] = {dudx, dvdy, (dudy + dvdx) / 2, std::atan((dvdx - dudy) / 2) * 180 / M_PI};
            for (int k = 0; k < 4; ++k) {
                std::snprintf(line, sizeof line, "%g %g %g\r\n", j[0], j[1], values[k]);
                out[k] << line;
            }
        }
}

void BM_GridMethodResult(benchmark::State& state)
{
    const GridTable& t = gridTable();
    const kv::CellText cells = [&t](int row, int column) -> std::string {
        if (row == 1 && column == 5)
            return std::to_string(kRows);
        if (row == 1 && column == 6)
            return std::to_string(kCols);
        if (row < 1 || row > kRows * kCols || column < 1 || column > 4)
            return "";
        return t.texts[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    };
    const auto f = folder();
    const kv::GridStrainFileNames names{(f / "ex.txt").string(), (f / "ey.txt").string(), (f / "exy.txt").string(),
                                        (f / "rot.txt").string()};
    const double start = kv::bench::seconds();
    for (auto _ : state) {
        const auto result = kv::strainAtGridPoints(cells, true);
        const auto* points = std::get_if<std::vector<kv::GridPointStrain>>(&result);
        if (!points || kv::writeGridStrainFiles(names, kv::gridStrainLines(*points)) != kv::FileError::None) {
            state.SkipWithError("the grid was refused or not written");
            return;
        }
    }
    const int n = static_cast<int>(state.iterations());
    const double each = (kv::bench::seconds() - start) / n;
    const double referenceStart = kv::bench::seconds();
    for (int i = 0; i < n; ++i)
        textbookGridStrain(t);
    kv::bench::reportAgainst(state, "whole", each, (kv::bench::seconds() - referenceStart) / n);
}
BENCHMARK(BM_GridMethodResult)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
