// Object centres of a known strain, as grains lie: placed at random in a disc
// with a minimum distance between any two (random sequential placement), then
// stretched by sqrt(ratio) along the long axis and shortened by 1/sqrt(ratio)
// across it (area kept). Coordinates with y upwards, all positive.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace kv::test {

struct KnownStrain {
    double ratio = 2;       // long axis / short axis
    double longAxisDeg = 30; // counter-clockwise from the x axis
};

inline std::vector<std::pair<double, double>> strainedCentres(std::uint32_t seed, int count, const KnownStrain& strain,
                                                              double radius = 500, double minDistance = 50)
{
    std::mt19937 random(seed);
    // Our own mapping of the generator's bits: the same numbers on every library.
    const auto unit = [&random] { return (random() >> 8) / double(1u << 24); };
    std::vector<std::pair<double, double>> placed;
    for (int attempt = 0; attempt < 400000 && static_cast<int>(placed.size()) < count; ++attempt) {
        const double x = (2 * unit() - 1) * radius, y = (2 * unit() - 1) * radius;
        if (x * x + y * y > radius * radius)
            continue;
        bool free = true;
        for (const auto& [px, py] : placed)
            if ((px - x) * (px - x) + (py - y) * (py - y) < minDistance * minDistance) {
                free = false;
                break;
            }
        if (free)
            placed.emplace_back(x, y);
    }
    const double a = strain.longAxisDeg * 3.14159265358979 / 180;
    const double c = std::cos(a), s = std::sin(a);
    const double stretch = std::sqrt(strain.ratio);
    const double offset = radius * stretch + 50; // keeps every coordinate positive
    for (auto& [x, y] : placed) {
        const double along = (x * c + y * s) * stretch;
        const double across = (-x * s + y * c) / stretch;
        x = along * c - across * s + offset;
        y = along * s + across * c + offset;
    }
    return placed;
}

} // namespace kv::test
