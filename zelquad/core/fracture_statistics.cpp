#include "zelquad/core/fracture_statistics.h"

#include "platform/text/number_text.h"

#include <algorithm>

namespace zq {

namespace {

int classOf(double degrees) { return static_cast<int>(std::floor(degrees / 10)) + 1; }

// Counts the pole on every node closer than 1 net unit; those are among the
// four nodes of the grid square the pole falls in.
void countPole(DensityGrid& grid, const kv::Point& pole)
{
    const int i0 = static_cast<int>(std::floor(pole.x)) + 10;
    const int j0 = static_cast<int>(std::floor(pole.y)) + 10;
    for (int i = i0; i <= i0 + 1; ++i)
        for (int j = j0; j <= j0 + 1; ++j) {
            if (i < 0 || i >= kGridNodes || j < 0 || j >= kGridNodes)
                continue;
            const double dx = pole.x + 10 - i;
            const double dy = pole.y + 10 - j;
            if (dx * dx + dy * dy < 1)
                ++grid[i][j];
        }
}

// Half-width of grid column i inside the net, in nodes.
int rimHalfWidth(int i) { return static_cast<int>(std::sqrt(101.0025 - (10 - i) * (10 - i))); }

// A pole on the rim is the same direction as the opposite rim point, so each
// rim node and its reflection through the centre share their two counts.
void mergeOppositeRimNodes(DensityGrid& grid)
{
    for (int i = 0; i < kGridNodes; ++i) {
        const int h = rimHalfWidth(i);
        int& top = grid[i][10 + h];
        int& opposite = grid[20 - i][10 - h];
        top = opposite = top + opposite;
    }
}

// Counts and angle sums of the classes while the records are read.
template <std::size_t N> struct ClassSums {
    std::array<int, N> counts{};
    std::array<double, N> sums{};
    void add(int k, double angle)
    {
        ++counts[k];
        sums[k] += angle;
    }
    // Rounded means, halves up.
    std::array<ClassTally, N> tallies() const
    {
        std::array<ClassTally, N> out{};
        for (std::size_t k = 0; k < N; ++k)
            if (counts[k] > 0)
                out[k] = {counts[k], std::floor(sums[k] / counts[k] + 0.5)};
        return out;
    }
    int largest() const { return *std::max_element(counts.begin(), counts.end()); }
};

} // namespace

kv::Attitude insideLastClass(kv::Attitude a)
{
    if (a.dipDirection == 360)
        a.dipDirection = 359.5;
    if (a.dip == 90)
        a.dip = 89.5;
    return a;
}

kv::Point poleOnNet(const kv::Attitude& a)
{
    const double r = kPoleRadiusFactor * std::sin(a.dip * kRadiansPerDegree / 2);
    return {r * std::sin(a.dipDirection * kRadiansPerDegree), r * std::cos(a.dipDirection * kRadiansPerDegree)};
}

FoldedStrike foldedStrike(double dipDirection)
{
    double s = dipDirection + 90;
    s -= 180 * std::floor(s / 180); // 0 <= s < 180
    int b = static_cast<int>(std::floor(s / 10)) + 9;
    if (s >= 90)
        b -= 18;
    s += 180 * std::floor(s / 90); // 90..180 becomes 270..360
    return {s, b};
}

FractureStatistics computeStatistics(const CheckedRecords& records)
{
    FractureStatistics st;
    std::array<int, 10> dipCounts{};
    ClassSums<37> directions;
    ClassSums<19> strikes;
    for (const kv::Attitude& read : records.all()) {
        const kv::Attitude a = insideLastClass(read);
        ++dipCounts[classOf(a.dip)];
        directions.add(classOf(a.dipDirection), a.dipDirection);
        ++st.recordCount;
        countPole(st.density, poleOnNet(a));
        const FoldedStrike strike = foldedStrike(a.dipDirection);
        strikes.add(strike.strikeClass, strike.strike);
    }

    mergeOppositeRimNodes(st.density);
    const double n = st.recordCount;
    for (auto& column : st.density)
        for (int& node : column)
            node = static_cast<int>(std::floor(node * 100.0 / n + 0.5));

    st.strike = strikes.tallies();
    st.dipDirection = directions.tallies();
    st.strikeRoseScale = 40.0 / strikes.largest();
    st.dipDirectionRoseScale = 40.0 / directions.largest();
    for (int k = 1; k <= 9; ++k)
        st.dipPercent[k] = static_cast<int>(*kv::roundHalfEven(dipCounts[k] * 100.0 / n));
    return st;
}

} // namespace zq
