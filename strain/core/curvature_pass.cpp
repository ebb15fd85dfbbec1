#include "strain/core/curvature_pass.h"

#include "platform/text/number_text.h"
#include "strain/core/skeleton_trace.h"

#include <algorithm>

namespace kv {
namespace {

// Marks of the walks still running for the current start pixel; resolved to
// 1 or 2 before the next start pixel, so the map never keeps this value.
constexpr std::int16_t kWalking = 3;

// The pixels that can start a walk, column by column: every pixel that is
// not background when the pass begins (a 2 left by an earlier pass can be
// reset to 1 by a window). Saves scanning the map column-wise.
class ColumnCandidates {
public:
    explicit ColumnCandidates(const PixelMap& map) : start_(static_cast<std::size_t>(map.width) + 1, 0)
    {
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x)
                if (map.at(x, y) != PixelMap::background)
                    ++start_[static_cast<std::size_t>(x) + 1];
        for (std::size_t x = 1; x < start_.size(); ++x)
            start_[x] += start_[x - 1];
        rows_.resize(start_.back());
        std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x)
                if (map.at(x, y) != PixelMap::background)
                    rows_[fill[static_cast<std::size_t>(x)]++] = y;
    }
    // Rows of column x, ascending.
    const int* begin(int x) const { return rows_.data() + start_[static_cast<std::size_t>(x)]; }
    const int* end(int x) const { return rows_.data() + start_[static_cast<std::size_t>(x) + 1]; }

private:
    std::vector<std::size_t> start_;
    std::vector<int> rows_;
};

// Sets every 2 within the square window around the start pixel back to 1,
// whoever left it there. Keeps a count of the 2s per tile so that a window
// with none of them near needs only the current walk's own marks resolved.
class WindowReset {
public:
    explicit WindowReset(const PixelMap& map)
        : tilesX_((map.width + kTile - 1) / kTile), tilesY_((map.height + kTile - 1) / kTile),
          visited_(static_cast<std::size_t>(tilesX_) * tilesY_, 0)
    {
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x)
                if (map.at(x, y) == PixelMap::visited)
                    ++visitedIn(x, y);
    }

    void apply(PixelMap& map, MapPixel s, int half, const std::vector<MapPixel>& walked)
    {
        const int x0 = std::max(2, s.x - half), x1 = std::min(map.width - 1, s.x + half);
        const int y0 = std::max(2, s.y - half), y1 = std::min(map.height - 1, s.y + half);
        if (x0 <= x1 && y0 <= y1 && anyVisited(x0, y0, x1, y1)) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const std::int16_t v = map.at(x, y);
                    if (v == PixelMap::visited)
                        --visitedIn(x, y);
                    if (v == PixelMap::visited || v == kWalking)
                        map.set(x, y, PixelMap::line);
                }
        }
        for (const MapPixel& p : walked) {
            if (map.at(p.x, p.y) != kWalking)
                continue;
            const bool inside = p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
            map.set(p.x, p.y, inside ? PixelMap::line : PixelMap::visited);
            if (!inside)
                ++visitedIn(p.x, p.y);
        }
    }

private:
    static constexpr int kTile = 64;

    int& visitedIn(int x, int y)
    {
        return visited_[static_cast<std::size_t>(y / kTile) * tilesX_ + static_cast<std::size_t>(x / kTile)];
    }
    bool anyVisited(int x0, int y0, int x1, int y1) const
    {
        for (int ty = y0 / kTile; ty <= y1 / kTile; ++ty)
            for (int tx = x0 / kTile; tx <= x1 / kTile; ++tx)
                if (visited_[static_cast<std::size_t>(ty) * tilesX_ + static_cast<std::size_t>(tx)] != 0)
                    return true;
        return false;
    }

    int tilesX_;
    int tilesY_;
    std::vector<int> visited_;
};

FitPoints fitPointsOf(MapPixel s, const ArcWalk& walk)
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
    const ColumnCandidates candidates(map);
    WindowReset reset(map);
    ArcStack stack;
    std::vector<MapPixel> walked;

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
