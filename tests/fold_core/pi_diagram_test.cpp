#include "fold/core/pi_diagram.h"

#include "cell_table.h"
#include "fold/core/stereo_net.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kv {
namespace {

using test::cellsOf;
using test::Rows;

// Angle in degrees between two axes (either end of each).
double angleBetweenAxes(const LineAttitude& a, const LineAttitude& b)
{
    const double r = 3.14159265358979 / 180;
    const double ux[] = {std::cos(a.plunge * r) * std::cos(a.trend * r), std::cos(a.plunge * r) * std::sin(a.trend * r),
                         std::sin(a.plunge * r)};
    const double vx[] = {std::cos(b.plunge * r) * std::cos(b.trend * r), std::cos(b.plunge * r) * std::sin(b.trend * r),
                         std::sin(b.plunge * r)};
    const double c = std::fabs(ux[0] * vx[0] + ux[1] * vx[1] + ux[2] * vx[2]);
    return std::acos(std::min(1.0, c)) / r;
}

TEST(PiDiagram, FitsTheAxisOfACylindricalFold)
{
    // Beds holding the axis: a bed dipping towards t holds a line of trend a and
    // plunge p when tan(dip) = tan p / cos(t - a) (apparent dip).
    const struct {
        const char* name;
        Rows beds;
        LineAttitude axis;
        const char* hingeText;
    } cases[] = {
        {"axis 090/30",
         {{"90", "30"}, {"60", "33.69"}, {"120", "33.69"}, {"45", "39.23"}, {"135", "39.23"}, {"30", "49.11"},
          {"150", "49.11"}, {"0", "90"}},
         {90, 30}, "90.0∠30.0"},
        {"axis 030/20",
         {{"30", "20"}, {"0", "22.79"}, {"60", "22.79"}, {"90", "36.06"}, {"330", "36.06"}, {"100", "46.78"}},
         {30, 20}, "30.0∠20.0"},
        {"horizontal axis east-west", {{"0", "10"}, {"0", "40"}, {"180", "30"}, {"180", "60"}}, {90, 0}, "90.0∠0.0"},
        {"horizontal axis north-south keeps the southern end",
         {{"90", "20"}, {"90", "70"}, {"270", "50"}}, {180, 0}, "180.0∠0.0"},
        {"two beds cross in their line", {{"90", "30"}, {"0", "90"}}, {90, 30}, "90.0∠30.0"},
    };
    for (const auto& c : cases) {
        const PiAnalysis pi = analysePiTable(cellsOf(c.beds));
        ASSERT_TRUE(pi.ok()) << c.name;
        ASSERT_TRUE(pi.hinge) << c.name;
        EXPECT_LT(angleBetweenAxes(*pi.hinge, c.axis), 0.5) << c.name;
        EXPECT_GE(pi.hinge->plunge, 0) << c.name;
        const auto texts = piDiagram(pi, "").all<TextItem>();
        bool found = false;
        for (const TextItem& t : texts)
            found |= t.at == Point{120, 75} && t.text == c.hingeText;
        EXPECT_TRUE(found) << c.name;
    }
}

TEST(PiDiagram, PolesOfBeds)
{
    const struct {
        Attitude bed;
        double trend;
        double plunge;
    } cases[] = {{{90, 30}, 270, 60}, {{180, 10}, 360, 80}, {{190, 10}, 10, 80}, {{0, 45}, 180, 45}, {{270, 90}, 90, 0}};
    for (const auto& c : cases) {
        const LineAttitude pole = poleOfBed(c.bed);
        EXPECT_DOUBLE_EQ(pole.trend, c.trend) << c.bed.dipDirection;
        EXPECT_DOUBLE_EQ(pole.plunge, c.plunge) << c.bed.dipDirection;
    }
    const PiAnalysis one = analysePiTable(cellsOf({{"90", "30"}}));
    const auto dots = piDiagram(one, "").all<DotItem>();
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_NEAR(dots[0].at.x, -26.8, 0.05); // 100 tan 15
    EXPECT_NEAR(dots[0].at.y, 0, 1e-3);
    EXPECT_EQ(dots[0].width, 2);
    EXPECT_EQ(dots[0].colour, colours::black);
}

TEST(PiDiagram, TheRedCircleIsThePlaneNormalToTheHingeAndTheCrossSitsOnIt)
{
    // horizontal east-west axis: the pi-circle is the vertical north-south plane
    const PiAnalysis pi = analysePiTable(cellsOf({{"0", "10"}, {"0", "40"}, {"180", "30"}, {"180", "60"}}));
    ASSERT_TRUE(pi.hinge);
    const Drawing d = piDiagram(pi, "");
    std::vector<LineItem> red;
    for (const LineItem& l : d.all<LineItem>())
        if (l.stroke.colour == colours::red)
            red.push_back(l);
    ASSERT_EQ(red.size(), 5u); // the circle's diameter, the two strokes of the X, the centre cross
    EXPECT_NEAR(std::fabs(red[0].from.y), 100, 1e-3);
    EXPECT_NEAR(red[0].from.x, 0, 1e-3);
    EXPECT_NEAR(std::fabs(red[0].to.y), 100, 1e-3);
    // X about the east point of the rim
    EXPECT_NEAR(red[1].from.x, 97, 1e-3);
    EXPECT_NEAR(red[1].from.y, 3, 1e-3);
    EXPECT_NEAR(red[1].to.x, 103, 1e-3);
    EXPECT_NEAR(red[1].to.y, -3, 1e-3);
    EXPECT_NEAR(red[2].from.x, 97, 1e-3);
    EXPECT_NEAR(red[2].from.y, -3, 1e-3);

    const Attitude circle = piCircleOfAxis({90, 30});
    EXPECT_DOUBLE_EQ(circle.dipDirection, 270);
    EXPECT_DOUBLE_EQ(circle.dip, 60);
    EXPECT_DOUBLE_EQ(piCircleOfAxis({180, 0}).dipDirection, 0);
}

TEST(PiDiagram, PolesThatDefineNoPlaneLeaveTheHingeBlank)
{
    for (const Rows& rows : {Rows{{"90", "30"}}, Rows{{"45", "20"}, {"45", "20"}, {"45", "20"}}}) {
        const PiAnalysis pi = analysePiTable(cellsOf(rows));
        ASSERT_TRUE(pi.ok());
        EXPECT_FALSE(pi.hinge);
        const Drawing d = piDiagram(pi, "1/2/2024");
        EXPECT_TRUE(d.all<PolylineItem>().empty());
        EXPECT_EQ(d.all<LineItem>().size(), 2u); // the centre cross only
        EXPECT_EQ(d.all<DotItem>().size(), rows.size());
        std::vector<std::string> texts;
        for (const TextItem& t : d.all<TextItem>())
            texts.push_back(t.text);
        const std::vector<std::string> expected{"N", "E", "S", "W", "The hinge:", "THE PAI DIAGRAM OF FOLD",
                                                "N=" + std::string(" ") + std::to_string(rows.size()) + " ",
                                                "Date:1/2/2024"};
        EXPECT_EQ(texts, expected);
    }
}

TEST(PiDiagram, TableScan)
{
    const struct {
        const char* name;
        Rows rows;
        PiFault fault;
        int pointCount;
    } cases[] = {
        {"stops at the first empty dip direction", {{"10", "20"}, {"30", "40"}, {"", "50"}, {"60", "70"}}, PiFault::None, 2},
        {"empty first row", {{"", "20"}, {"30", "40"}}, PiFault::NoBeds, 0},
        {"dip direction without dip", {{"10", "20"}, {"30", ""}}, PiFault::BadRow, 0},
        {"number beyond single precision", {{"10", "20"}, {"1e39", "20"}}, PiFault::BadRow, 0},
    };
    for (const auto& c : cases) {
        const PiAnalysis pi = analysePiTable(cellsOf(c.rows));
        EXPECT_EQ(pi.fault, c.fault) << c.name;
        EXPECT_EQ(pi.pointCount(), c.pointCount) << c.name;
    }
    EXPECT_EQ(piFaultMessage(PiFault::BadRow), "数据有错，请检查！");
    EXPECT_EQ(piFaultMessage(PiFault::NoBeds), "");

    const Rows full(499, {"10", "20"});
    EXPECT_EQ(analysePiTable(cellsOf(full)).pointCount(), 499);
}

TEST(PiFile, RecordsRoundTripAndBrokenFilesChangeNothing)
{
    const std::optional<std::vector<std::string>> lines = piFileLines(cellsOf({{"135", "45"}, {"12.5", "12.5"}}));
    ASSERT_TRUE(lines);
    const std::vector<std::string> expected{" 135" + std::string(10, ' ') + " 45 ", " 12.5" + std::string(9, ' ') + " 12 "};
    EXPECT_EQ(*lines, expected);
    const PiFileRead read = parsePiFile(expected[0] + "\r\n" + expected[1] + "\r\n");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.rows, (std::vector<std::vector<std::string>>{{"135", "45"}, {"12.5", "12"}}));

    EXPECT_FALSE(piFileLines(cellsOf({{"135", ""}})));
    EXPECT_FALSE(piFileLines(cellsOf({{"135", "40000"}})));

    std::string tooMany;
    for (int i = 0; i < 500; ++i)
        tooMany += "10,20\n";
    EXPECT_EQ(parsePiFile(tooMany).fault, PiFileReadFault::TooManyRecords);
    EXPECT_EQ(parsePiFile("10,20\n30\n").fault, PiFileReadFault::BadRecord);
    // The records before the fault are kept for the table.
    EXPECT_EQ(parsePiFile("10,20\n30\n").rows, (std::vector<std::vector<std::string>>{{"10", "20"}}));
    EXPECT_EQ(parsePiFile(tooMany).rows.size(), 499u);
}

} // namespace
} // namespace kv
