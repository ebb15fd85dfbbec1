// Small synthetic pixel maps with known geometry for the line-curvature tests.
#pragma once

#include "strain/core/pixel_map.h"

#include <cmath>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace kv::test {

// "#" line, "." background, "2" visited; one string per row, top row first.
inline PixelMap mapFromArt(const std::vector<std::string>& rows)
{
    PixelMap map(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            map.set(x, y, c == '#' ? PixelMap::line : c == '2' ? PixelMap::visited : PixelMap::background);
        }
    return map;
}

inline void setLine(PixelMap& map, int x, int y)
{
    if (map.contains(x, y))
        map.set(x, y, PixelMap::line);
}

// Midpoint circle: a closed 8-connected ring one pixel wide.
inline void drawCircle(PixelMap& map, int cx, int cy, int r)
{
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
        const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : pts)
            setLine(map, cx + p[0], cy + p[1]);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

inline void fillBox(PixelMap& map, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            setLine(map, x, y);
}

// Pixels whose centre lies between the two radii (inclusive).
inline void fillRing(PixelMap& map, double cx, double cy, double inner, double outer)
{
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d >= inner && d <= outer)
                map.set(x, y, PixelMap::line);
        }
}

// Whether any 2 × 2 block is set everywhere (a line thicker than one pixel).
inline bool hasSolidTwoByTwo(const PixelMap& map)
{
    for (int y = 0; y + 1 < map.height; ++y)
        for (int x = 0; x + 1 < map.width; ++x)
            if (map.at(x, y) && map.at(x + 1, y) && map.at(x, y + 1) && map.at(x + 1, y + 1))
                return true;
    return false;
}

// Groups of set pixels (joined through sides and corners) or of background
// pixels (through sides only, so that a one-pixel ring still has a hole).
inline int componentCount(const PixelMap& map, bool ofSetPixels)
{
    std::vector<char> seen(map.cells.size(), 0);
    const auto wanted = [&](int x, int y) {
        return map.contains(x, y) && (map.at(x, y) != PixelMap::background) == ofSetPixels && !seen[map.indexOf(x, y)];
    };
    int groups = 0;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            if (!wanted(x, y))
                continue;
            ++groups;
            std::deque<std::pair<int, int>> queue{{x, y}};
            seen[map.indexOf(x, y)] = 1;
            while (!queue.empty()) {
                const auto [px, py] = queue.front();
                queue.pop_front();
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if ((ofSetPixels || dx == 0 || dy == 0) && wanted(px + dx, py + dy)) {
                            seen[map.indexOf(px + dx, py + dy)] = 1;
                            queue.emplace_back(px + dx, py + dy);
                        }
            }
        }
    return groups;
}

} // namespace kv::test
