#include "attitude/core/petrofabric_settings.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(PetrofabricOptions, FieldsShowTheSettings)
{
    PetrofabricSettings s;
    s.grainCount = 10;
    s.arrowAzimuth = 12.5f;
    PetrofabricOptionFields f = optionFieldsOf(s);
    EXPECT_EQ(f.sectionNo, "无");
    EXPECT_EQ(f.grainCount, "10");
    EXPECT_EQ(f.dataTypeEntry, 0);
    EXPECT_EQ(f.arrowAzimuth, "12.5");
    EXPECT_EQ(f.stageArrowDir, "0");
    s.dataType = "C";
    EXPECT_EQ(optionFieldsOf(s).dataTypeEntry, 1);
    s.dataType = "x";
    EXPECT_EQ(optionFieldsOf(s).dataTypeEntry, 1);
}

struct RangeCase {
    const char* text;
    bool azimuthAccepted; // 0 <= v < 360
    bool dipAccepted;     // 0 <= v <= 90
};

TEST(PetrofabricOptions, RangeChecksOnTheFullNumber)
{
    const RangeCase cases[] = {
        {"", true, true},       {"0", true, true},     {"90", true, true},     {"90.5", true, false},
        {"359.9", true, false}, {"360", false, false}, {"-1", false, false},   {"1e999", false, false},
        {"abc", true, true},    {"4 5", true, true},   {"-0.0001", false, false},
    };
    for (const RangeCase& c : cases) {
        PetrofabricOptionFields f;
        f.arrowAzimuth = f.stageArrowDir = f.sectionDipDir = c.text;
        f.sectionDip = c.text;
        const AcceptedOptions a = acceptedOptions(f);
        EXPECT_EQ(a.arrowAzimuth.has_value(), c.azimuthAccepted) << c.text;
        EXPECT_EQ(a.stageArrowDir.has_value(), c.azimuthAccepted) << c.text;
        EXPECT_EQ(a.sectionDipDir.has_value(), c.azimuthAccepted) << c.text;
        EXPECT_EQ(a.sectionDip.has_value(), c.dipAccepted) << c.text;
    }
}

TEST(PetrofabricOptions, OkStoresTrimmedTextsAndAcceptedNumbersOnly)
{
    PetrofabricSettings s;
    s.grainCount = 7;
    PetrofabricOptionFields f = optionFieldsOf(s);
    f.sectionNo = "  K-12 ";
    f.mineralName = "   ";
    f.dataTypeEntry = 1;
    f.arrowAzimuth = "45";
    f.stageArrowDir = "360";
    f.sectionDip = "90.5";
    f.grainCount = "99";
    applyOptions(s, acceptedOptions(f));
    EXPECT_EQ(s.sectionNo, "K-12");
    EXPECT_EQ(s.mineralName, "无");
    EXPECT_EQ(s.dataType, "c");
    EXPECT_EQ(s.arrowAzimuth, 45.0f);
    EXPECT_EQ(s.stageArrowDir, 0.0f);
    EXPECT_EQ(s.sectionDip, 0.0f);
    EXPECT_EQ(s.grainCount, 7);
    f.dataTypeEntry = -1;
    applyOptions(s, acceptedOptions(f));
    EXPECT_EQ(s.dataType, "c");
}

} // namespace
} // namespace kv
