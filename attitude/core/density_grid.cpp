#include "attitude/core/density_grid.h"

#include <cmath>

namespace kv {

namespace {

// One coordinate of a candidate node and the point's offset from it. The own
// node's coordinate stays in single precision (so do its difference and
// square); a coordinate shifted by a factor 0.9 or 1.1 is double throughout.
struct Offset {
    double node = 0;   // the node's coordinate
    double square = 0; // (point - node)^2
    bool single = true;
};

Offset xOffset(float x, int column, float step, float radius, int shift)
{
    const float own = static_cast<float>(column) * step;
    if (shift == 0) {
        const float node = own - radius;
        const float d = x - node;
        return {node, static_cast<double>(d * d), true};
    }
    const double factor = shift > 0 ? 0.9 : 1.1;
    const double node = static_cast<double>(own) - factor * static_cast<double>(radius);
    const double d = static_cast<double>(x) - node;
    return {node, d * d, false};
}

Offset yOffset(float y, int row, float step, float radius, int shift)
{
    const float own = static_cast<float>(row) * step;
    if (shift == 0) {
        const float node = radius - own;
        const float d = y - node;
        return {node, static_cast<double>(d * d), true};
    }
    const double factor = shift > 0 ? 0.9 : 1.1;
    const double node = factor * static_cast<double>(radius) - static_cast<double>(own);
    const double d = static_cast<double>(y) - node;
    return {node, d * d, false};
}

// A sum of two squares: single precision when both terms are.
double sumOf(const Offset& a, const Offset& b, double sa, double sb)
{
    if (a.single && b.single)
        return static_cast<double>(static_cast<float>(sa) + static_cast<float>(sb));
    return sa + sb;
}

} // namespace

void countDensity(NetState& state)
{
    for (auto& row : state.densityGrid)
        row.fill(0.0f);
    const float radius = state.net.netRadius;
    const float step = state.net.gridStep;
    const double inside = state.net.netRadius2;
    const double circle = radius; // the counting test's 100 is the net radius' value
    // (row shift, column shift) in visiting order.
    static constexpr int kCandidates[9][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, -1}, {1, -1},
                                              {-1, -1}, {0, 1}, {1, 1}, {-1, 1}};
    for (int k = 0; k < state.plotCount; ++k) {
        const NetPoint p = state.poleXY[static_cast<std::size_t>(k)];
        const int c = static_cast<int>(std::floor((p.x + radius) / step));
        const int r = static_cast<int>(std::floor((radius - p.y) / step));
        for (const auto& shift : kCandidates) {
            const Offset ox = xOffset(p.x, c, step, radius, shift[1]);
            const Offset oy = yOffset(p.y, r, step, radius, shift[0]);
            const double nodeX2 = ox.single ? static_cast<double>(static_cast<float>(ox.node * ox.node)) : ox.node * ox.node;
            const double nodeY2 = oy.single ? static_cast<double>(static_cast<float>(oy.node * oy.node)) : oy.node * oy.node;
            if (sumOf(ox, oy, nodeX2, nodeY2) > inside)
                continue;
            if (sumOf(ox, oy, ox.square, oy.square) > circle)
                continue;
            const int row = r + shift[0];
            const int column = c + shift[1];
            if (row < 0 || row > 20 || column < 0 || column > 20)
                continue; // cannot happen for a node inside the net; kept as a guard
            float& count = state.densityGrid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            count += 1;
            if (state.maxDensity < count)
                state.maxDensity = count;
        }
    }
}

} // namespace kv
