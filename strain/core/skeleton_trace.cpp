#include "strain/core/skeleton_trace.h"

namespace kv {
namespace {

constexpr std::array<int, 8> kDx{1, -1, 0, 0, -1, 1, 1, -1};
constexpr std::array<int, 8> kDy{0, 0, -1, 1, -1, -1, 1, 1};

enum class Entry { Refused, Recorded, Entered };

// The step counts at which the four points are recorded: a quarter, half,
// three quarters and the whole of the trace length, each only when it is a
// whole number of steps (a length not divisible by 4 has no quarter point).
// Worked out once per walk rather than compared as fractions at every step.
struct StepTargets {
    std::array<std::int64_t, 4> at;

    explicit StepTargets(int traceLength)
    {
        const std::int64_t length = traceLength;
        const std::int64_t nums[4] = {1, 2, 3, 4};
        for (std::size_t i = 0; i < 4; ++i)
            at[i] = (length * nums[i]) % 4 == 0 ? length * nums[i] / 4 : -1; // -1: never reached
    }
};

bool recordAt(ArcWalk& walk, int index, int x, int y)
{
    auto& p = walk.points[static_cast<std::size_t>(index)];
    if (p)
        return false;
    p = PixelPos{x, y};
    return true;
}

// The work of one level before it turns to the neighbours.
Entry enter(PixelMap& map, int x, int y, const StepTargets& targets, ArcWalk& walk, std::int16_t mark,
            std::vector<PixelPos>* marked)
{
    if (x < 2 || x > map.width - 2 || y < 2 || y > map.height - 2)
        return Entry::Refused;
    const std::int32_t s = walk.stepCount;
    if (s == targets.at[0])
        recordAt(walk, 0, x, y);
    if (s == targets.at[1] && recordAt(walk, 1, x, y))
        return Entry::Recorded;
    if (s == targets.at[2])
        recordAt(walk, 2, x, y);
    if (s == targets.at[3] && recordAt(walk, 3, x, y))
        return Entry::Recorded;
    ++walk.stepCount;
    if (marked && map.at(x, y) != mark)
        marked->push_back({x, y});
    map.set(x, y, mark);
    return Entry::Entered;
}

} // namespace

void traceArc(PixelMap& map, int x, int y, int traceLength, ArcWalk& walk, ArcStack& stack,
              std::int16_t mark, std::vector<PixelPos>* marked)
{
    stack.clear();
    const StepTargets targets(traceLength);
    if (enter(map, x, y, targets, walk, mark, marked) != Entry::Entered)
        return;
    stack.push_back({x, y, 0});
    while (!stack.empty()) {
        ArcFrame& top = stack.back();
        if (top.nextNeighbour == static_cast<int>(kDx.size())) {
            stack.pop_back();
            continue;
        }
        const auto i = static_cast<std::size_t>(top.nextNeighbour++);
        const int nx = top.x + kDx[i];
        const int ny = top.y + kDy[i];
        // Entered pixels lie within 2..W−2, so every neighbour is inside the map.
        if (map.at(nx, ny) == PixelMap::line
            && enter(map, nx, ny, targets, walk, mark, marked) == Entry::Entered)
            stack.push_back({nx, ny, 0});
    }
}

} // namespace kv
