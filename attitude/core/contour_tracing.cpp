#include "attitude/core/contour_tracing.h"

#include "platform/text/number_text.h"

#include <cstddef>

namespace kv {

namespace {

constexpr int kHorizontal = 1; // flag bit of H(r, c)
constexpr int kVertical = 2;   // flag bit of V(r, c)
constexpr int kLast = 20;      // last grid row and column counted

int& flagAt(NetState& s, int r, int c)
{
    return s.cellFlags[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
}

bool has(NetState& s, int r, int c, int bit) { return (flagAt(s, r, c) & bit) != 0; }

float g(const NetState& s, int r, int c)
{
    return s.densityGrid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
}

int wholeUnits(float value) { return static_cast<int>(roundHalfEven(static_cast<double>(value)).value_or(0)); }

struct Edge {
    int col = 0;
    int row = 0;
    int code = 0; // 0: no exit
};

void record(NetState& s, const Edge& e, float level)
{
    const float step = s.net.gridStep;
    const float radius = s.net.netRadius;
    float x = 0;
    float y = 0;
    if (e.code == 1 || e.code == 3) {
        const float t = (level - g(s, e.row, e.col)) / (g(s, e.row, e.col + 1) - g(s, e.row, e.col));
        x = t * step + static_cast<float>(e.col) * step - radius;
        y = radius - static_cast<float>(e.row) * step;
    } else {
        const float t = (level - g(s, e.row, e.col)) / (g(s, e.row + 1, e.col) - g(s, e.row, e.col));
        x = static_cast<float>(e.col) * step - radius;
        y = radius - static_cast<float>(e.row) * step - t * step;
    }
    s.trace.push_back({wholeUnits(x), wholeUnits(y)});
}

bool atBorder(const Edge& e)
{
    return (e.code == 1 && e.row == kLast) || (e.code == 2 && e.col == 0) || (e.code == 3 && e.row == 0)
        || (e.code == 4 && e.col == kLast);
}

// The exit of the cell entered through e. Flags are tested bit by bit: a
// flag of 3 offers both of its edges.
Edge exitOf(NetState& s, const Edge& e)
{
    const int r = e.row;
    const int c = e.col;
    switch (e.code) {
    case 1: // moving down into (r, c): west V(r,c), east V(r,c+1), bottom H(r+1,c)
        if (has(s, r + 1, c, kHorizontal) && has(s, r, c + 1, kVertical) && has(s, r, c, kVertical))
            return g(s, r, c) <= g(s, r, c + 1) ? Edge{c + 1, r, 4} : Edge{c, r, 2};
        if (has(s, r, c, kVertical))
            return {c, r, 2};
        if (has(s, r, c + 1, kVertical))
            return {c + 1, r, 4};
        if (has(s, r + 1, c, kHorizontal))
            return {c, r + 1, 1};
        return {};
    case 2: // moving left into (r, c-1): top H(r,c-1), bottom H(r+1,c-1), west V(r,c-1)
        if (has(s, r + 1, c - 1, kHorizontal) && has(s, r, c - 1, kHorizontal) && has(s, r, c - 1, kVertical))
            return g(s, r, c) <= g(s, r + 1, c) ? Edge{c - 1, r + 1, 1} : Edge{c - 1, r, 3};
        if (has(s, r, c - 1, kHorizontal))
            return {c - 1, r, 3};
        if (has(s, r + 1, c - 1, kHorizontal))
            return {c - 1, r + 1, 1};
        if (has(s, r, c - 1, kVertical))
            return {c - 1, r, 2};
        return {};
    case 3: // moving up into (r-1, c): west V(r-1,c), east V(r-1,c+1), top H(r-1,c)
        if (has(s, r - 1, c + 1, kVertical) && has(s, r - 1, c, kHorizontal) && has(s, r - 1, c, kVertical))
            return g(s, r, c) <= g(s, r, c + 1) ? Edge{c + 1, r - 1, 4} : Edge{c, r - 1, 2};
        if (has(s, r - 1, c, kVertical))
            return {c, r - 1, 2};
        if (has(s, r - 1, c + 1, kVertical))
            return {c + 1, r - 1, 4};
        if (has(s, r - 1, c, kHorizontal))
            return {c, r - 1, 3};
        return {};
    case 4: // moving right into (r, c): top H(r,c), bottom H(r+1,c), east V(r,c+1)
        if (has(s, r + 1, c, kHorizontal) && has(s, r, c, kHorizontal) && has(s, r, c + 1, kVertical))
            return g(s, r, c) <= g(s, r + 1, c) ? Edge{c, r + 1, 1} : Edge{c, r, 3};
        if (has(s, r, c, kHorizontal))
            return {c, r, 3};
        if (has(s, r + 1, c, kHorizontal))
            return {c, r + 1, 1};
        if (has(s, r, c + 1, kVertical))
            return {c + 1, r, 4};
        return {};
    default:
        return {};
    }
}

void clearEdge(NetState& s, const Edge& e)
{
    const bool horizontal = e.code == 1 || e.code == 3;
    flagAt(s, e.row, e.col) -= horizontal ? kHorizontal : kVertical;
}

} // namespace

ContourLevels contourLevels(float maxDensity)
{
    ContourLevels levels;
    if (maxDensity > 12)
        levels = {maxDensity / 6, 6};
    else if (maxDensity > 4)
        levels = {maxDensity / 4, 4};
    else
        levels = {maxDensity / 2, 2};
    if (levels.step < 1)
        levels = {1.5f, 1};
    return levels;
}

void raiseTies(NetState& state, float level)
{
    const float raised = static_cast<float>(static_cast<double>(level) + 0.001);
    for (auto& row : state.densityGrid)
        for (float& node : row)
            if (node == level)
                node = raised;
}

void setCellFlags(NetState& state, float level)
{
    for (int r = 0; r <= kLast; ++r)
        for (int c = 0; c <= kLast; ++c) {
            const float here = g(state, r, c) - level;
            int flag = 0;
            if (here * (g(state, r, c + 1) - level) < 0)
                flag += kHorizontal;
            if (here * (g(state, r + 1, c) - level) < 0)
                flag += kVertical;
            flagAt(state, r, c) = flag;
        }
}

void traceLine(NetState& state, int col, int row, int edgeCode, float level)
{
    if (edgeCode < 1 || edgeCode > 4)
        return;
    Edge edge{col, row, edgeCode};
    for (;;) {
        record(state, edge, level);
        if (atBorder(edge))
            return;
        const Edge exit = exitOf(state, edge);
        if (exit.code == 0)
            return;
        clearEdge(state, exit);
        edge = exit;
    }
}

void traceLevel(NetState& state, float level, const std::function<void(const std::vector<TracePoint>&)>& onLine)
{
    raiseTies(state, level);
    setCellFlags(state, level);
    // A border start: the start edge's flag is cleared, then traced.
    auto start = [&](int col, int row, int code, bool clearFirst) {
        state.trace.clear();
        if (clearFirst)
            clearEdge(state, {col, row, code});
        traceLine(state, col, row, code, level);
        onLine(state.trace);
    };
    for (int k = 0; k < kLast; ++k) // top border: H(0, k), flag 1 or 3
        if (flagAt(state, 0, k) == 1 || flagAt(state, 0, k) == 3)
            start(k, 0, 1, true);
    for (int k = 0; k < kLast; ++k) // right border: V(k, 20), flag exactly 2
        if (flagAt(state, k, kLast) == 2)
            start(kLast, k, 2, true);
    for (int k = 0; k < kLast; ++k) // bottom border: H(20, k), flag exactly 1
        if (flagAt(state, kLast, k) == 1)
            start(k, kLast, 3, true);
    for (int k = 0; k < kLast; ++k) // left border: V(k, 0), flag above 1
        if (flagAt(state, k, 0) > 1)
            start(0, k, 4, true);
    // The border scans above skip a right-border flag of 3 and a bottom-border
    // flag of 3 (the rim node is above the level, so the edge towards the
    // always-zero column or row 21 is crossed too). A line that ends on both
    // the east and the south rim would then only be traced part-way from the
    // interior; start it here from its rim edge instead.
    for (int k = 0; k < kLast; ++k)
        if (has(state, k, kLast, kVertical))
            start(kLast, k, 2, true);
    for (int k = 0; k < kLast; ++k)
        if (has(state, kLast, k, kHorizontal))
            start(k, kLast, 3, true);
    // Interior: the start edge stays flagged, so a closed line comes back to it
    // and ends with its first point repeated.
    for (int i = 0; i < kLast; ++i)
        for (int j = 1; j < kLast; ++j)
            if (flagAt(state, i, j) > 1)
                start(j, i, 4, false);
}

} // namespace kv
