#include "attitude/core/pole_preparation.h"

#include "net_test_table.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::NetTable;

TEST(PolePreparation, ProjectsRecordsInTableOrderThenTheirRimCopies)
{
    // Horizontal plane, vertical plane (pole on the rim, copied), a 30-degree plane.
    NetTable table{{{"0", "0"}, {"0", "90"}, {"90", "30"}, {"", "5"}, {"45", "45"}}};
    NetState state;
    const PrepareResult r = prepareData(state, table.cells(), Projection::PlanePole);
    ASSERT_TRUE(r.accepted());
    EXPECT_EQ(state.pointCount, 3);
    EXPECT_EQ(state.plotCount, 4);
    ASSERT_EQ(state.poleXY.size(), 4u);
    EXPECT_EQ(state.poleXY[0], (NetPoint{0, 0}));
    EXPECT_NEAR(state.poleXY[1].x, 0, 1e-4);
    EXPECT_NEAR(state.poleXY[1].y, 100, 1e-3);
    EXPECT_NEAR(state.poleXY[2].x, 36.60, 0.005); // 141.42 sin 15
    EXPECT_NEAR(state.poleXY[3].x, 0, 1e-4);      // the copy: opposite side, 200 - 100 away
    EXPECT_NEAR(state.poleXY[3].y, -100, 1e-3);
    EXPECT_EQ(table.deepestRow, 4);
}

TEST(PolePreparation, LinesUseTheirPlunge)
{
    NetTable table{{{"180", "90"}, {"90", "0"}, {"45", "30"}}};
    NetState state;
    ASSERT_TRUE(prepareData(state, table.cells(), Projection::Line).accepted());
    EXPECT_NEAR(state.poleXY[0].x, 0, 1e-4); // vertical line at the centre
    EXPECT_NEAR(state.poleXY[0].y, 0, 1e-4);
    EXPECT_NEAR(state.poleXY[1].x, 100, 1e-3); // horizontal line on the east rim
    EXPECT_NEAR(state.poleXY[2].x, 50, 0.005);
    EXPECT_NEAR(state.poleXY[2].y, 50, 0.005);
    EXPECT_EQ(state.plotCount, 4);
}

TEST(PolePreparation, RimCopyOnlyBeyondNinety)
{
    EXPECT_FALSE(rimCopy({90, 0}));
    EXPECT_FALSE(rimCopy({-54, 72})); // rho exactly 90
    const auto copy = rimCopy({90.001f, 0});
    ASSERT_TRUE(copy);
    EXPECT_NEAR(copy->x, -109.999, 0.0005);
    EXPECT_EQ(copy->y, 0.0f);
}

TEST(PolePreparation, FourHundredNinetyNineRimRecordsGiveNineHundredNinetyEightPoints)
{
    NetTable table = test::repeatedRows(500, {"10", "85"});
    NetState state;
    ASSERT_TRUE(prepareData(state, table.cells(), Projection::PlanePole).accepted());
    EXPECT_EQ(state.pointCount, 499);
    EXPECT_EQ(state.plotCount, 998);
    EXPECT_EQ(state.poleXY.size(), 998u);
    EXPECT_EQ(table.deepestRow, 499); // row 500 is never read
    // 10/85: pole at 141.42 sin 42.5 = 95.543 towards 10; its copy 104.457 towards 190.
    EXPECT_NEAR(state.poleXY[997].x, -18.139, 0.001);
    EXPECT_NEAR(state.poleXY[997].y, -102.871, 0.001);
}

struct BadCase {
    const char* name;
    NetTable table;
    int row, column;
};

TEST(PolePreparation, ABadRecordChangesNothing)
{
    const BadCase cases[] = {
        {"empty dip", {{{"10", "20"}, {"30", ""}}}, 2, 2},
        {"dip beyond single precision", {{{"10", "20"}, {"30", "1e39"}}}, 2, 2},
        {"direction beyond single precision", {{{"1e300", "20"}}}, 1, 1},
        {"infinite", {{{"10", "1e999"}}}, 1, 2},
    };
    for (const BadCase& c : cases) {
        NetState state;
        state.pointCount = 7;
        state.plotCount = 1;
        state.poleXY = {{1, 2}};
        const PrepareResult r = prepareData(state, c.table.cells(), Projection::PlanePole);
        EXPECT_EQ(r.status, PrepareStatus::BadRecord) << c.name;
        EXPECT_EQ(r.badRow, c.row) << c.name;
        EXPECT_EQ(r.badColumn, c.column) << c.name;
        EXPECT_EQ(state.pointCount, 7) << c.name;
        EXPECT_EQ(state.plotCount, 1) << c.name;
    }
}

TEST(PolePreparation, AnEmptyTableSetsOnlyTheCount)
{
    NetState state;
    state.pointCount = 3;
    state.plotCount = 4;
    state.poleXY.assign(4, NetPoint{5, 5});
    const PrepareResult r = prepareData(state, NetTable{}.cells(), Projection::PlanePole);
    EXPECT_EQ(r.status, PrepareStatus::NoRecord);
    EXPECT_EQ(state.pointCount, 0);
    EXPECT_EQ(state.plotCount, 4);
    EXPECT_EQ(state.poleXY.size(), 4u);
}

TEST(PolePreparation, ABlankIsNotEmptyAndTextsReadTheirLeadingNumber)
{
    NetTable table{{{" ", "abc"}, {"1 2 0xyz", "4 5"}}};
    NetState state;
    ASSERT_TRUE(prepareData(state, table.cells(), Projection::PlanePole).accepted());
    EXPECT_EQ(state.pointCount, 2);
    EXPECT_EQ(state.poleXY[0], (NetPoint{0, 0}));
    const NetPoint p = netPointOfAttitude(state.net, Projection::PlanePole, 45, 120);
    EXPECT_EQ(state.poleXY[1], p);
}

struct StageCase {
    const char* ring;
    float azimuth, angle;
    float stageArrowDir, arrowAzimuth;
    const char* dataType;
    float correctedAzimuth, correctedAngle;
};

TEST(PolePreparation, StageCorrectionsForEachRingLetter)
{
    const StageCase cases[] = {
        {"e", 10, 30, 0, 0, "O", 260, 30},
        {"w", 10, 30, 0, 0, "O", 80, 30},
        {"s", 10, 30, 0, 0, "O", 260, 60},
        {"n", 10, 30, 0, 0, "O", 80, 60},
        {"x", 10, 30, 0, 0, "O", 80, 30},      // any other text turns as n and w do, keeps the angle
        {"e", 10, 30, 30, 0, "O", 230, 30},
        {"w", 80, 30, 30, 0, "O", -20, 30},    // a negative azimuth stays negative
        {"e", -100, 30, 0, 0, "O", 10, 30},     // 370 turned back once
        {"e", -500, 30, 0, 0, "O", 410, 30},    // ... and only once
        {"s", 10, 30, 0, 0, "c", 260, 30},      // cleavage: the complement once more
        {"s", 10, 30, 0, 0, "C", 260, 30},
    };
    for (const StageCase& c : cases) {
        PetrofabricSettings s;
        s.stageArrowDir = c.stageArrowDir;
        s.arrowAzimuth = c.arrowAzimuth;
        s.dataType = c.dataType;
        const NetAttitude a = correctStageReading(c.azimuth, c.angle, c.ring, s);
        EXPECT_EQ(a.azimuth, c.correctedAzimuth) << c.ring << " " << c.azimuth;
        EXPECT_EQ(a.angle, c.correctedAngle) << c.ring << " " << c.azimuth;
    }
}

TEST(PolePreparation, PetrofabricReadsTheRingLetterTrimmedInAnyCase)
{
    NetTable table{{{"10", "30", " S "}, {"10", "30", "s"}, {"10", "30", "e"}}};
    PetrofabricSettings settings;
    NetState state;
    ASSERT_TRUE(prepareData(state, table.cells(), settings).accepted());
    EXPECT_EQ(settings.grainCount, 3);
    EXPECT_EQ(state.poleXY[0], state.poleXY[1]);
    // "s" 10/30 is the line 260/60; "e" 10/30 the line 260/30.
    EXPECT_EQ(state.poleXY[0], netPointOfAttitude(state.net, Projection::Line, 60, 260));
    EXPECT_EQ(state.poleXY[2], netPointOfAttitude(state.net, Projection::Line, 30, 260));
}

TEST(PolePreparation, OpticAxisAndCleavageReadingsFallOnTheSamePoint)
{
    NetTable table{{{"35", "42", "n"}, {"200", "17", "e"}}};
    PetrofabricSettings optic;
    PetrofabricSettings cleavage;
    cleavage.dataType = "c";
    NetState a, b;
    ASSERT_TRUE(prepareData(a, table.cells(), optic).accepted());
    ASSERT_TRUE(prepareData(b, table.cells(), cleavage).accepted());
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(a.poleXY[i].x, b.poleXY[i].x, 1e-4);
        EXPECT_NEAR(a.poleXY[i].y, b.poleXY[i].y, 1e-4);
    }
}

TEST(PolePreparation, PetrofabricNeedsTheRingLetter)
{
    NetTable table{{{"10", "30", "n"}, {"10", "30", ""}}};
    PetrofabricSettings settings;
    settings.grainCount = 9;
    NetState state;
    const PrepareResult r = prepareData(state, table.cells(), settings);
    EXPECT_EQ(r.status, PrepareStatus::BadRecord);
    EXPECT_EQ(r.badRow, 2);
    EXPECT_EQ(r.badColumn, 3);
    EXPECT_EQ(settings.grainCount, 9);

    const PrepareResult empty = prepareData(state, NetTable{}.cells(), settings);
    EXPECT_EQ(empty.status, PrepareStatus::NoRecord);
    EXPECT_EQ(settings.grainCount, 0);
}

} // namespace
} // namespace kv
