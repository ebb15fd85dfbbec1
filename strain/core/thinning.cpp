#include "strain/core/thinning.h"

#include <array>
#include <cstdint>

namespace kv {
namespace {

// P2..P9: clockwise from the pixel above, with y counted downward.
using Neighbours = std::array<std::int16_t, 8>; // P2..P9

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

// Whether a pixel whose eight neighbours are all background or line may be
// deleted, for every such neighbourhood: bit i of the index is P(i+2). Built
// from deletable() itself, so the table and the rule cannot disagree.
using DeletionTable = std::array<bool, 256>;

DeletionTable deletionTable(SubPass pass)
{
    DeletionTable table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        Neighbours p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = (code >> i) & 1U ? PixelMap::line : PixelMap::background;
        table[code] = deletable(p, pass);
    }
    return table;
}

// Marks first, deletes after, so every decision sees the map as the sub-pass
// found it. A neighbourhood of plain background and line pixels is looked up;
// any other value (a pixel a curvature walk left) takes the rule itself.
void runSubPass(PixelMap& map, SubPass pass, std::vector<PixelPos>& deleted)
{
    static const DeletionTable firstTable = deletionTable(SubPass::First);
    static const DeletionTable secondTable = deletionTable(SubPass::Second);
    const DeletionTable& table = pass == SubPass::First ? firstTable : secondTable;
    const std::size_t firstNew = deleted.size();
    const std::ptrdiff_t w = map.width;
    const int lastX = map.width - 2;
    for (int y = 2; y <= map.height - 2; ++y) {
        const std::int16_t* row = map.cells.data() + static_cast<std::ptrdiff_t>(y) * w;
        for (int x = 2; x <= lastX; ++x) {
            x = skipBackgroundFours(row, x, lastX + 1);
            if (x > lastX || row[x] != PixelMap::line)
                continue;
            const std::int16_t* c = row + x;
            const Neighbours p{c[-w], c[-w + 1], c[1], c[w + 1], c[w], c[w - 1], c[-1], c[-w - 1]};
            unsigned code = 0, other = 0;
            for (std::size_t i = 0; i < p.size(); ++i) {
                code |= static_cast<unsigned>(p[i] == PixelMap::line) << i;
                other |= static_cast<unsigned>(p[i] != PixelMap::line && p[i] != PixelMap::background);
            }
            if (other ? deletable(p, pass) : table[code])
                deleted.push_back({x, y});
        }
    }
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
