// The centre search of closed objects done directly: for every candidate
// column it sums the paired areas of all columns on each side again.
// Quadratic in the object's width; kept only to check the fast search against.
#pragma once

#include "strain/core/object_centres.h"

#include <cstdint>

namespace kv::test {

// Sum over columns x1..x2 of the distances of paired visited cells down rows y1..y2.
inline std::int64_t colarea(const ObjectMask& mask, int x1, int x2, int y1, int y2)
{
    std::int64_t area = 0;
    for (int i = x1; i <= x2; ++i) {
        int first = -1;
        for (int j = y1; j <= y2; ++j)
            if (mask.at(i, j) == ObjectMask::kVisited) {
                if (first < 0) {
                    first = j;
                } else {
                    area += j - first;
                    first = -1;
                }
            }
    }
    return area;
}

inline std::int64_t rowarea(const ObjectMask& mask, int y1, int y2, int x1, int x2)
{
    std::int64_t area = 0;
    for (int j = y1; j <= y2; ++j) {
        int first = -1;
        for (int i = x1; i <= x2; ++i)
            if (mask.at(i, j) == ObjectMask::kVisited) {
                if (first < 0) {
                    first = i;
                } else {
                    area += i - first;
                    first = -1;
                }
            }
    }
    return area;
}

// Where no column (row) passes, the middle of the box, as the fast search gives.
inline PixelPos directAreaCentre(const ObjectMask& mask, const BlobTrace& t)
{
    PixelPos c{(t.minX + t.maxX) / 2, (t.minY + t.maxY) / 2};
    for (int i = t.minX; i <= t.maxX; ++i)
        if (colarea(mask, t.minX, i, t.minY, t.maxY) > colarea(mask, i, t.maxX, t.minY, t.maxY)) {
            c.x = i - 1;
            break;
        }
    for (int j = t.minY; j <= t.maxY; ++j)
        if (rowarea(mask, t.minY, j, t.minX, t.maxX) > rowarea(mask, j, t.maxY, t.minX, t.maxX)) {
            c.y = j - 1;
            break;
        }
    return c;
}

} // namespace kv::test
