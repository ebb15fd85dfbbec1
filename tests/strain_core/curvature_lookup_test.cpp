#include "strain/core/curvature_lookup.h"
#include "strain/core/curvature_picture_size.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(CurvatureLookup, NearestListedPointWithinTwoPixelsBothWays)
{
    // A 300-pixel-high picture: row y = 10 is listed as 290.
    const std::vector<CurvatureRow> rows{{50, 290, 1.234}, {51, 291, 0.456}, {200, 100, 3.0}};
    struct Case {
        const char* what;
        double x, y;
        const char* readout;
    };
    const Case cases[] = {
        {"on the first point", 50, 10, "曲率:1.23"},
        {"both rows qualify: the earlier wins", 50.5, 9.5, "曲率:1.23"},
        {"only the second qualifies", 52.5, 9, "曲率:0.46"},
        {"1.9 pixels off in x", 201.9, 200, "曲率:3.00"},
        {"exactly 2 pixels off in x", 202, 200, "曲率："},
        {"exactly 2 pixels off in y", 200, 198, "曲率："},
        {"nothing near", 5, 5, "曲率："},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(curvatureReadout(rows, c.x, c.y, 300), c.readout);
    }
    EXPECT_EQ(findListedCurvature(rows, 52.5, 9, 300), std::optional<std::size_t>(1));
    EXPECT_EQ(curvatureReadout({}, 50, 10, 300), "曲率：");
}

TEST(CurvaturePictureSize, PictureAtTheLimitFits)
{
    struct Case {
        double windowW, windowH, pictureW, pictureH;
        bool tooLarge;
    };
    const Case cases[] = {
        {9000, 7000, 8950, 6900, false}, // exactly at both limits
        {9000, 7000, 8951, 6900, true},
        {9000, 7000, 8950, 6901, true},
        {9000, 7000, 15, 15, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pictureTooLarge(c.windowW, c.windowH, c.pictureW, c.pictureH), c.tooLarge)
            << c.pictureW << " x " << c.pictureH;
}

} // namespace
} // namespace kv
