#include "strain/core/xyz_value_file.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(XyzValueFile, EachItemStartsTheNextPrintZone)
{
    const struct {
        XyzRow row;
        std::string line;
    } cases[] = {
        {{"120", "85", "0.5"}, "120" + std::string(11, ' ') + "85" + std::string(12, ' ') + "0.5"},
        {{"0", "10", xyzComputedValue(0)}, "0" + std::string(13, ' ') + "10" + std::string(12, ' ') + " 0 "},
        {{"1", "2", xyzComputedValue(-0.25)}, "1" + std::string(13, ' ') + "2" + std::string(13, ' ') + "-.25 "},
        {{"12345678901234", "-7", xyzComputedValue(1.0 / 3)},
         "12345678901234-7" + std::string(12, ' ') + " .333333333333333 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xyzValueLine(c.row), c.line);
    EXPECT_EQ(xyzValueLines({cases[0].row, cases[1].row}).size(), 2u);
}

} // namespace
} // namespace kv
