#include "strain/core/object_centres.h"

#include "tests/support/strain_pictures.h"
#include "tests/support/direct_area_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace kv {
namespace {

using test::kBlack;
using test::kWhite;

// The trace by nested calls, the plainest statement of the visiting order: the
// reference for it (only for small objects, the call depth being the object's size).
struct RecursiveTrace {
    ObjectMask& mask;
    BlobTrace t;
    std::vector<PixelPos> order;

    void visit(int x, int y)
    {
        mask.set(x, y, ObjectMask::kVisited);
        ++t.count;
        order.push_back({x, y});
        if (t.count == 1)
            mask.set(x, y, ObjectMask::kDark);
        t.minX = std::min(t.minX, x);
        t.maxX = std::max(t.maxX, x);
        t.minY = std::min(t.minY, y);
        t.maxY = std::max(t.maxY, y);
        if (x == t.start.x && y == t.start.y && t.count >= 21) {
            t.closed = true;
            return;
        }
        const int steps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
        for (const auto& s : steps)
            if (mask.at(x + s[0], y + s[1]) == ObjectMask::kDark)
                visit(x + s[0], y + s[1]);
    }
};

// A small random picture of dark specks and blobs.
PixelImage randomPicture(std::mt19937& random, int width, int height, double darkShare)
{
    PixelImage picture(width, height, kWhite);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int blobs = 0; blobs < 6; ++blobs)
        test::fillDisc(picture, unit(random) * width, unit(random) * height, 2 + unit(random) * 6);
    for (std::uint32_t& c : picture.rgb)
        if (unit(random) < darkShare)
            c = c == kWhite ? kBlack : kWhite;
    return picture;
}

TEST(ObjectCentres, TraceVisitsInTheNestedCallOrderWithoutNestedCalls)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const PixelImage picture = randomPicture(random, 40, 30, 0.15);
        ObjectMask fast = darkPixelMask(picture);
        ObjectMask slow = darkPixelMask(picture);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                if (fast.at(x, y) != ObjectMask::kDark)
                    continue;
                std::vector<PixelPos> order;
                const BlobTrace got = traceObject(fast, x, y, &order);
                RecursiveTrace ref{slow, {}, {}};
                ref.t.start = {x, y};
                ref.t.minX = ref.t.maxX = x;
                ref.t.minY = ref.t.maxY = y;
                ref.visit(x, y);
                ASSERT_EQ(order, ref.order) << "round " << round << " at " << x << "," << y;
                EXPECT_EQ(got.closed, ref.t.closed);
                EXPECT_EQ(got.maxX + got.maxY, ref.t.maxX + ref.t.maxY);
            }
    }
}

TEST(ObjectCentres, LinesCloseFromTwentyPixelsAndTheWayBackCounts21)
{
    const struct {
        int length;
        bool closed;
    } cases[] = {{20, true}, {19, false}, {60, true}};
    for (const auto& c : cases) {
        ObjectMask mask(80, 5);
        for (int x = 10; x < 10 + c.length; ++x)
            mask.set(x, 2, ObjectMask::kDark);
        std::vector<PixelPos> order;
        const BlobTrace trace = traceObject(mask, 10, 2, &order);
        EXPECT_EQ(trace.closed, c.closed) << c.length;
        // East to the end, then back into the start from its east neighbour.
        EXPECT_EQ(order[1], (PixelPos{11, 2}));
        EXPECT_EQ(order[c.length], (PixelPos{10, 2}));
        EXPECT_EQ(trace.count, c.length + 1);
    }
}

TEST(ObjectCentres, FilledDiscsAreFoundWithinAPixelTopRowsFirst)
{
    const struct {
        double x, y, r;
    } discs[] = {{30, 20, 6}, {80.5, 25, 9.5}, {25, 70, 15}, {90, 75, 4}, {140, 60, 12}};
    PixelImage picture(170, 100, kWhite);
    for (const auto& d : discs)
        test::fillDisc(picture, d.x, d.y, d.r);
    const AutoCentres found = findObjectCentres(picture);
    ASSERT_EQ(found.centres.size(), 5u);
    const int order[] = {0, 1, 4, 2, 3}; // by the row of each disc's top pixel
    for (int i = 0; i < 5; ++i) {
        const auto& d = discs[order[i]];
        EXPECT_LE(std::abs(found.centres[i].x - d.x), 1.0) << i;
        EXPECT_LE(std::abs(found.centres[i].y - d.y), 1.0) << i;
    }
    EXPECT_EQ(centreYText(found.centres[0], 100), std::to_string(100 - found.centres[0].y));
}

TEST(ObjectCentres, DarkPixelsAreThoseOfGreyBelow127Point5)
{
    // Grey 0.299 R + 0.587 G + 0.114 B; exactly 127.5 rounds up to 128 and is
    // not dark, also where floating point would make it 127.49999999999999.
    const struct {
        std::uint32_t colour; // 0xBBGGRR
        bool dark;
    } cases[] = {
        {0x0000FF, true},  // red marks of an earlier run: 76.245
        {0x808080, false}, // 128
        {0xE1AD01, false}, // (1, 173, 225): 127.5
        {0x44CC00, false}, // (0, 204, 68): 119.748 + 7.752 = 127.5
        {0x25D102, true},  // (2, 209, 37): 127.499
        {0xCFB100, true},  // (0, 177, 207): 127.497
    };
    for (const auto& c : cases) {
        const ObjectMask mask = darkPixelMask(PixelImage(1, 1, c.colour));
        EXPECT_EQ(mask.at(0, 0) == ObjectMask::kDark, c.dark) << std::hex << c.colour;
    }
}

TEST(ObjectCentres, ThinObjectsGetTheMiddleOfTheirBox)
{
    PixelImage picture(60, 40, kWhite);
    for (int x = 10; x <= 34; ++x)
        picture.set(x, 5, kBlack); // one row
    for (int y = 10; y <= 36; ++y)
        picture.set(50, y, kBlack); // one column
    const AutoCentres found = findObjectCentres(picture);
    ASSERT_EQ(found.centres.size(), 2u);
    EXPECT_EQ(found.centres[0], (PixelPos{22, 5}));
    EXPECT_EQ(found.centres[1], (PixelPos{50, 23}));
}

TEST(ObjectCentres, PrefixSumSearchGivesTheDirectSearchCentres)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> size(1, 40);
    std::uniform_int_distribution<int> coin(0, 2);
    for (int round = 0; round < 300; ++round) {
        // Arbitrary visited cells in a box, leftovers of earlier traces included.
        const int w = size(random), h = size(random);
        ObjectMask mask(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                mask.set(x, y, coin(random) == 0 ? ObjectMask::kVisited : ObjectMask::kBackground);
        BlobTrace box;
        box.minX = 0, box.maxX = w - 1, box.minY = 0, box.maxY = h - 1;
        ASSERT_EQ(areaHalvingCentre(mask, box), test::directAreaCentre(mask, box)) << "round " << round;
    }
}

TEST(ObjectCentres, KeepsAtMost199AndSaysSo)
{
    PixelImage picture(21 * 12, 18 * 12, kWhite);
    for (int row = 0; row < 18; ++row)
        for (int column = 0; column < 21; ++column)
            test::fillDisc(picture, column * 12 + 6, row * 12 + 6, 4);
    const AutoCentres found = findObjectCentres(picture);
    EXPECT_EQ(found.centres.size(), 199u);
    EXPECT_TRUE(found.truncated);
    const AutoCentres few = findObjectCentres(picture, 400);
    EXPECT_EQ(few.centres.size(), 21u * 18u);
    EXPECT_FALSE(few.truncated);
}

TEST(ObjectCentres, WholeDarkPictureIsOneObjectWithoutDeepCalls)
{
    // Far deeper than nested calls could go.
    const AutoCentres found = findObjectCentres(PixelImage(1200, 900, kBlack));
    ASSERT_EQ(found.centres.size(), 1u);
    EXPECT_LE(std::abs(found.centres[0].x - 599.5), 1.0);
    EXPECT_LE(std::abs(found.centres[0].y - 449.5), 1.0);
}

} // namespace
} // namespace kv
