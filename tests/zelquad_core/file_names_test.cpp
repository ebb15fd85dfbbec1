#include "zelquad/core/file_names.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(FileNames, ScriptNameProposedFromTheDataNameDropsFourCharacters)
{
    const struct {
        const char* typed;
        const char* proposed; // nullptr: the script box stays as it is
    } cases[] = {
        {"D:\\data\\site1.dat", "D:\\data\\site1.scr"},
        {"abcdef", "ab.scr"},
        {"ab.dat", "ab.scr"},
        {"abcde", "a.scr"},
        {"abc", nullptr},
        {"abcd", nullptr},
        {"  abcd  ", nullptr},          // four characters once the blanks are gone
        {"  abcde", " .scr"},            // the count comes from the trimmed text, the characters from the typed one
        {"abcde   ", "a.scr"},          // trailing blanks fall with the last four characters
        {"/home/g/坝址数据.txt", "/home/g/坝址数据.scr"},
        {"/断层裂隙", "/.scr"},          // characters, not bytes
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> proposed = proposedScriptName(c.typed);
        if (c.proposed) {
            ASSERT_TRUE(proposed) << c.typed;
            EXPECT_EQ(*proposed, c.proposed) << c.typed;
        } else {
            EXPECT_FALSE(proposed) << c.typed;
        }
    }
}

TEST(FileNames, AcceptedNamesStartWithALetterOrTheRoot)
{
    for (const char* good : {"a.dat", "C:\\x\\a.dat", "Z", "/home/g/a.dat", "data/a.dat"})
        EXPECT_TRUE(isAcceptedFileName(good)) << good;
    for (const char* bad : {"", "1.dat", ".\\a.dat", "\\a.dat", "./a.dat", "_a", "数据.dat", " a"})
        EXPECT_FALSE(isAcceptedFileName(bad)) << bad;
}

TEST(FileNames, ScriptExtensionAddedUnlessPresentInAnyCase)
{
    const struct {
        const char* name;
        const char* saved;
    } cases[] = {
        {"plot", "plot.scr"}, {"PLOT.SCR", "PLOT.SCR"}, {"plot.Scr", "plot.Scr"},
        {"plot.scr.txt", "plot.scr.txt.scr"}, {"scr", "scr.scr"}, {".scr", ".scr"}, {"", ".scr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withScriptExtension(c.name), c.saved) << c.name;
}

TEST(FileNames, TrimRemovesBlanksOnly)
{
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(trimBlanks("   "), "");
}

} // namespace
} // namespace zq
