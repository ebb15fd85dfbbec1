// Drawing items on a picture box: each kind leaves ink where it says and
// nowhere else, in its colour; texts follow on where the last one ended.
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// A 200 x 200 picture with the scale (-100,100)-(100,-100): one unit a pixel, y up.
class DrawingPainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picture.setPictureSize(200, 200);
        picture.setScale(-100, 100, 100, -100);
        picture.cls();
    }
    std::int64_t at(double x, double y) const { return picture.point(x, y); }

    PictureBox picture;
};

constexpr std::int64_t white = 0xFFFFFF;
constexpr std::int64_t red = 0x0000FF; // red in the low byte
constexpr std::int64_t blue = 0xFF0000;

TEST_F(DrawingPainterTest, EachItemInksItsOwnPixelsInItsColour)
{
    const Stroke redStroke{colours::red, 1, LineStyle::Solid};
    const struct {
        const char* name;
        DrawItem item;
        std::vector<Point> inked;
        std::vector<Point> blank;
    } cases[] = {
        {"line", LineItem{{-50, 0}, {50, 0}, redStroke}, {{-50, 0}, {0, 0}, {50, 0}}, {{0, 5}, {60, 0}}},
        {"polyline", PolylineItem{{{-50, -50}, {0, -50}, {0, 50}}, redStroke}, {{-25, -50}, {0, 25}}, {{-50, 50}}},
        {"outlined polygon", PolygonItem{{{-40, -40}, {40, -40}, {40, 40}, {-40, 40}}, redStroke, {}},
         {{-40, 0}, {0, 40}}, {{0, 0}}},
        {"filled polygon", PolygonItem{{{-40, -40}, {40, -40}, {40, 40}, {-40, 40}}, redStroke, colours::blue},
         {{-40, 0}, {0, 40}}, {{60, 60}}},
        {"circle", CircleItem{{0, 0}, 50, redStroke, {}}, {{50, 0}, {0, -50}}, {{0, 0}, {30, 30}}},
        {"arc", ArcItem{{0, 0}, 50, 0, 1.5707963, redStroke}, {{0, 50}, {50, 0}}, {{-50, 0}, {0, -50}}},
        {"dot", DotItem{{10, 10}, colours::red, 1}, {{10, 10}}, {{11, 10}, {10, 11}}},
    };
    for (const auto& c : cases) {
        picture.cls();
        Drawing d;
        d.items.push_back(c.item);
        paintDrawing(picture, d);
        for (const Point& p : c.inked)
            EXPECT_EQ(at(p.x, p.y), red) << c.name << " at " << p.x << "," << p.y;
        for (const Point& p : c.blank)
            EXPECT_EQ(at(p.x, p.y), white) << c.name << " at " << p.x << "," << p.y;
    }
    // The filled polygon's inside and the filled circle's centre take the fill colour.
    picture.cls();
    Drawing filled;
    filled.add(PolygonItem{{{-40, -40}, {40, -40}, {40, 40}, {-40, 40}}, redStroke, colours::blue});
    filled.add(CircleItem{{70, 70}, 10, redStroke, colours::blue});
    paintDrawing(picture, filled);
    EXPECT_EQ(at(0, 0), blue);
    EXPECT_EQ(at(70, 70), blue);
    EXPECT_EQ(at(80, 70), red);
}

TEST_F(DrawingPainterTest, WideDotsAndDashedLines)
{
    Drawing d;
    d.add(DotItem{{0, 0}, colours::red, 5});
    d.add(LineItem{{-90, -80}, {90, -80}, {colours::red, 1, LineStyle::Dash}});
    paintDrawing(picture, d);
    EXPECT_EQ(at(2, 0), red) << "a dot as wide as its width";
    EXPECT_EQ(at(4, 0), white);
    int inked = 0;
    for (int x = -90; x <= 90; ++x)
        inked += at(x, -80) == red;
    EXPECT_GT(inked, 40);
    EXPECT_LT(inked, 170) << "a dashed line leaves gaps";
}

TEST_F(DrawingPainterTest, TextsStartAtTheirPointOrFollowOnAndLeaveTheirStateBehind)
{
    Drawing d;
    d.add(TextItem{Point{-90, 90}, "AB", colours::red, 12, true});
    d.add(TextItem{std::nullopt, "CD", colours::blue});
    paintDrawing(picture, d);
    // The second text starts where the first ended: right of it, on the same line.
    const double afterFirst = -90 + picture.textWidth(QStringLiteral("AB"));
    EXPECT_NEAR(picture.currentX(), afterFirst + picture.textWidth(QStringLiteral("CD")), 1e-9);
    EXPECT_EQ(picture.currentY(), 90);
    EXPECT_EQ(picture.font().pointSizeF(), 12) << "the size stays for what is printed next";
    EXPECT_EQ(picture.foreColor(), QColor(Qt::blue));
    int redInk = 0, blueInk = 0;
    const QImage image = picture.image();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor c = image.pixelColor(x, y);
            redInk += c.red() > 200 && c.blue() < 100;
            blueInk += c.blue() > 200 && c.red() < 100;
        }
    EXPECT_GT(redInk, 0);
    EXPECT_GT(blueInk, 0);

    Drawing lines;
    lines.add(TextItem{Point{-90, 0}, "one", colours::black, 0, false, true});
    paintDrawing(picture, lines);
    EXPECT_EQ(picture.currentX(), -100) << "a new line starts at the left edge";
    EXPECT_LT(picture.currentY(), 0);
}

} // namespace
} // namespace kv
