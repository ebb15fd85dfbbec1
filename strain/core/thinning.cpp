#include "strain/core/thinning.h"

#include <array>

namespace kv {
namespace {

// P2..P9: clockwise from the pixel above, with y counted downward.
constexpr std::array<int, 8> kDx{0, 1, 1, 1, 0, -1, -1, -1};
constexpr std::array<int, 8> kDy{-1, -1, 0, 1, 1, 1, 0, -1};

using Neighbours = std::array<std::int16_t, 8>; // P2..P9

Neighbours neighboursOf(const PixelMap& map, int x, int y)
{
    Neighbours p{};
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = map.at(x + kDx[i], y + kDy[i]);
    return p;
}

int neighbourSum(const Neighbours& p)
{
    int n = 0;
    for (std::int16_t v : p)
        n += v;
    return n;
}

// Cyclic pairs (P2,P3) .. (P9,P2) that go from 0 to exactly 1.
int zeroToOneTransitions(const Neighbours& p)
{
    int a = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i] == PixelMap::background && p[(i + 1) % p.size()] == PixelMap::line)
            ++a;
    return a;
}

enum class SubPass { First, Second };

bool deletable(const Neighbours& p, SubPass pass)
{
    const int n = neighbourSum(p);
    if (n < 2 || n > 6 || zeroToOneTransitions(p) != 1)
        return false;
    const auto zero = [&](int i) { return p[static_cast<std::size_t>(i - 2)] == PixelMap::background; };
    if (pass == SubPass::First)
        return (zero(2) || zero(4) || zero(6)) && (zero(4) || zero(6) || zero(8));
    return (zero(2) || zero(4) || zero(8)) && (zero(2) || zero(6) || zero(8));
}

// Marks first, deletes after, so every decision sees the map as the sub-pass
// found it.
void runSubPass(PixelMap& map, SubPass pass, std::vector<MapPixel>& deleted)
{
    const std::size_t firstNew = deleted.size();
    for (int y = 2; y <= map.height - 2; ++y)
        for (int x = 2; x <= map.width - 2; ++x)
            if (map.at(x, y) == PixelMap::line && deletable(neighboursOf(map, x, y), pass))
                deleted.push_back({x, y});
    for (std::size_t i = firstNew; i < deleted.size(); ++i)
        map.set(deleted[i].x, deleted[i].y, PixelMap::background);
}

} // namespace

ThinningStep thinOnce(PixelMap& map, const PassProgress& progress)
{
    ThinningStep step;
    const double stripEnd = 0.8 * map.width;
    runSubPass(map, SubPass::First, step.deleted);
    if (progress)
        progress(stripEnd / 2);
    runSubPass(map, SubPass::Second, step.deleted);
    if (progress)
        progress(stripEnd);
    return step;
}

} // namespace kv
