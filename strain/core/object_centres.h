// Centres of the dark closed objects of a picture (grains, clasts) for the Fry
// method: dark pixels are traced object by object, an object counts when the
// trace comes back to its first pixel, and its centre is the column and row
// that halve its area.
//
// Pixel coordinates: x to the right from the left edge, y downwards from the
// top row (the table shows y upwards: height - y).
#pragma once

#include "strain/core/pixel_image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// One value per pixel with a background border one pixel wide on the left and
// top and two on the right and bottom: x from -1 to width + 1, y from -1 to height + 1.
class ObjectMask {
public:
    static constexpr std::uint8_t kBackground = 0;
    static constexpr std::uint8_t kDark = 1;    // not yet visited
    static constexpr std::uint8_t kVisited = 2;

    ObjectMask(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t at(int x, int y) const { return cells_[index(x, y)]; }
    void set(int x, int y, std::uint8_t value) { cells_[index(x, y)] = value; }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y + 1) * static_cast<std::size_t>(width_ + 3)
               + static_cast<std::size_t>(x + 1);
    }
    int width_, height_;
    std::vector<std::uint8_t> cells_;
};

// Dark pixels: grey 0.299 R + 0.587 G + 0.114 B, rounded halves to even, below 128.
ObjectMask darkPixelMask(const PixelImage& picture);

// What one trace found.
struct BlobTrace {
    std::int64_t count = 0; // visits, the start pixel's return included
    bool closed = false;    // came back to the start after 19 or more other pixels
    PixelPos start;
    int minX = 0, maxX = 0, minY = 0, maxY = 0; // bounding box of the visited pixels
};

// Depth-first visit of the 8-connected dark pixels from (x, y): neighbours tried
// east, south-east, south, south-west, west, north-west, north, north-east (y
// down), each visited when it holds kDark at the moment it is tried. The start
// pixel stays kDark after its first visit so the trace can return to it; the
// return with the count at 21 or more closes the object and ends that one
// visit only. Visited pixels keep kVisited. Held on an explicit stack, so an
// object as large as the picture is no danger. `visits` receives the visiting order.
BlobTrace traceObject(ObjectMask& mask, int x, int y, std::vector<PixelPos>* visits = nullptr);

// The centre of a closed object: the first column i of the bounding box at
// which the paired area of the columns up to i exceeds that of the columns
// from i on gives x = i - 1, and rows likewise (the area of a column pairs its
// kVisited cells first with second, third with fourth, adding the row
// distance of each pair). Where no column (row) passes, the middle of the box.
PixelPos areaHalvingCentre(const ObjectMask& mask, const BlobTrace& trace);

using CentreRule = std::function<PixelPos(const ObjectMask&, const BlobTrace&)>;

// Most centres the Fry table holds.
constexpr std::size_t kMostCentres = 199;

struct AutoCentres {
    std::vector<PixelPos> centres; // in the order found: scanning rows from the top
    bool truncated = false;        // another object closed after the last one kept
};

// Every closed dark object of the picture, scanning rows from the top and each
// row from the left, at most `most` of them. After an object has closed, the
// visited cells inside its bounding box go back to background.
AutoCentres findObjectCentres(const PixelImage& picture, std::size_t most = kMostCentres,
                       const CentreRule& rule = areaHalvingCentre);

// The table's texts of a centre: column 1 x, column 2 the height above the bottom edge.
std::string centreXText(const PixelPos& centre);
std::string centreYText(const PixelPos& centre, int pictureHeight);

} // namespace kv
