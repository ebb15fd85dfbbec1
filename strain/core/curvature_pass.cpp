#include "strain/core/curvature_pass.h"

#include "platform/text/number_text.h"
#include "strain/core/skeleton_trace.h"

#include <algorithm>
#include <cstdint>

namespace kv {
namespace {

// Marks of the walks still running for the current start pixel; resolved to
// 1 or 2 before the next start pixel, so the map never keeps this value.
constexpr std::int16_t kWalking = 3;

// Every pixel that is not background, row by row.
std::vector<PixelPos> setCells(const PixelMap& map)
{
    std::vector<PixelPos> cells;
    for (int y = 0; y < map.height; ++y) {
        const std::int16_t* row = map.cells.data() + map.indexOf(0, y);
        for (int x = 0; x < map.width; ++x) {
            x = skipBackgroundFours(row, x, map.width);
            if (x < map.width && row[x] != PixelMap::background)
                cells.push_back({x, y});
        }
    }
    return cells;
}

// The pixels that can start a walk, column by column: every pixel that is
// not background when the pass begins (a 2 left by an earlier pass can be
// reset to 1 by a window). Saves scanning the map column-wise.
class ColumnCandidates {
public:
    ColumnCandidates(const PixelMap& map, const std::vector<PixelPos>& cells)
        : start_(static_cast<std::size_t>(map.width) + 1, 0)
    {
        for (const PixelPos& p : cells)
            ++start_[static_cast<std::size_t>(p.x) + 1];
        for (std::size_t x = 1; x < start_.size(); ++x)
            start_[x] += start_[x - 1];
        rows_.resize(start_.back());
        std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
        for (const PixelPos& p : cells) // row order, so each column ascends
            rows_[fill[static_cast<std::size_t>(p.x)]++] = p.y;
    }
    // Rows of column x, ascending.
    const int* begin(int x) const { return rows_.data() + start_[static_cast<std::size_t>(x)]; }
    const int* end(int x) const { return rows_.data() + start_[static_cast<std::size_t>(x) + 1]; }

private:
    std::vector<std::size_t> start_;
    std::vector<int> rows_;
};

// Sets every 2 within the square window around the start pixel back to 1,
// whoever left it there. The 2s are kept in lists per tile, so a window looks
// only at the 2s of the tiles it touches instead of every pixel inside it. A 2
// changes only here (a walk enters line pixels alone), so the lists stay exact.
class WindowReset {
public:
    WindowReset(const PixelMap& map, const std::vector<PixelPos>& cells)
        : tilesX_((map.width + kTile - 1) / kTile), tilesY_((map.height + kTile - 1) / kTile),
          visited_(static_cast<std::size_t>(tilesX_) * static_cast<std::size_t>(tilesY_))
    {
        for (const PixelPos& p : cells)
            if (map.at(p.x, p.y) == PixelMap::visited)
                visitedIn(p.x, p.y).push_back(p);
    }

    void apply(PixelMap& map, PixelPos s, int half, const std::vector<PixelPos>& walked)
    {
        const int x0 = std::max(2, s.x - half), x1 = std::min(map.width - 1, s.x + half);
        const int y0 = std::max(2, s.y - half), y1 = std::min(map.height - 1, s.y + half);
        const auto inside = [&](const PixelPos& p) { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; };
        if (x0 <= x1 && y0 <= y1) {
            for (int ty = y0 / kTile; ty <= y1 / kTile; ++ty)
                for (int tx = x0 / kTile; tx <= x1 / kTile; ++tx) {
                    std::vector<PixelPos>& tile =
                        visited_[static_cast<std::size_t>(ty) * static_cast<std::size_t>(tilesX_)
                                 + static_cast<std::size_t>(tx)];
                    for (std::size_t i = 0; i < tile.size();) {
                        if (inside(tile[i])) {
                            map.set(tile[i].x, tile[i].y, PixelMap::line);
                            tile[i] = tile.back();
                            tile.pop_back();
                        } else {
                            ++i;
                        }
                    }
                }
        }
        // Every pixel the current walks marked is in walked.
        for (const PixelPos& p : walked) {
            if (map.at(p.x, p.y) != kWalking)
                continue;
            const bool in = inside(p);
            map.set(p.x, p.y, in ? PixelMap::line : PixelMap::visited);
            if (!in)
                visitedIn(p.x, p.y).push_back(p);
        }
    }

private:
    static constexpr int kTile = 16;

    std::vector<PixelPos>& visitedIn(int x, int y)
    {
        return visited_[static_cast<std::size_t>(y / kTile) * static_cast<std::size_t>(tilesX_)
                        + static_cast<std::size_t>(x / kTile)];
    }

    int tilesX_;
    int tilesY_;
    std::vector<std::vector<PixelPos>> visited_;
};

FitPoints fitPointsOf(PixelPos s, const ArcWalk& walk)
{
    return {s, *walk.points[0], *walk.points[1], *walk.points[2], *walk.points[3]};
}

} // namespace

std::string CurvatureRow::xText() const { return std::to_string(x); }
std::string CurvatureRow::heightText() const { return std::to_string(heightAboveBottom); }
std::string CurvatureRow::curvatureText() const { return formatMask(curvature, "#0.00"); }

CurvaturePass runCurvaturePass(PixelMap& map, const CurvatureOptions& options, const PassProgress& progress)
{
    CurvaturePass pass;
    const std::vector<PixelPos> cells = setCells(map);
    const ColumnCandidates candidates(map, cells);
    WindowReset reset(map, cells);
    ArcStack stack;
    std::vector<PixelPos> walked;

    for (int x = 1; x <= map.width - 1; ++x) {
        for (const int* row = candidates.begin(x); row != candidates.end(x); ++row) {
            const int y = *row;
            if (y < 1 || map.at(x, y) != PixelMap::line)
                continue;
            ArcWalk walk;
            walked.clear();
            // The second walk re-enters the start pixel with the count left
            // over; it matters near the ends of a line.
            traceArc(map, x, y, options.traceLength, walk, stack, kWalking, &walked);
            traceArc(map, x, y, options.traceLength, walk, stack, kWalking, &walked);
            reset.apply(map, {x, y}, options.traceLength, walked);
            if (!walk.complete())
                continue;
            FitOutcome outcome = fitLocalCurve(fitPointsOf({x, y}, walk), options.fitOrder);
            if (!outcome.fit) {
                ++pass.refusedFits;
                continue;
            }
            if (outcome.fit->curvature > kListedCurvatureAbove)
                pass.rows.push_back({x, map.height - y, outcome.fit->curvature});
            pass.fits.push_back(std::move(*outcome.fit));
        }
        if (progress)
            progress(x);
    }
    return pass;
}

} // namespace kv
