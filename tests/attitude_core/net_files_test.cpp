#include "attitude/core/header_items.h"
#include "attitude/core/orientation_file.h"
#include "attitude/core/petrofabric_file.h"
#include "platform/text/item_reader.h"

#include "net_test_table.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::NetTable;

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

TEST(HeaderItems, TextItemsAreQuotedOnlyWhenTheyMustBe)
{
    struct Case {
        const char* text;
        const char* header; // nullptr: refused
        const char* record;
    };
    const Case cases[] = {
        {"n", "n", "n"},
        {"2020 东山", "2020 东山", "\"2020 东山\""},
        {"a,b", "\"a,b\"", "\"a,b\""},
        {" w", "\" w\"", "\" w\""},
        {"\"q", "\"\"q\"", nullptr},
        {"5\" core", "5\" core", "5\" core"},
        {"a,\"b", nullptr, nullptr},
        {"045", "045", "\"045\""},
        {"", "", "\"\""},
        {"a\r\nb", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const auto header = headerTextItem(c.text);
        const auto record = recordTextItem(c.text);
        EXPECT_EQ(header.has_value(), c.header != nullptr) << c.text;
        if (header && c.header) {
            EXPECT_EQ(*header, c.header);
        }
        EXPECT_EQ(record.has_value(), c.record != nullptr) << c.text;
        if (record && c.record) {
            EXPECT_EQ(*record, c.record);
        }
        if (header) { // and it reads back
            ItemReader reader(*header + "\r\nnext");
            EXPECT_EQ(reader.nextText(), std::string(c.text));
            EXPECT_EQ(reader.nextText(), std::string("next"));
        }
    }
}

TEST(OrientationFile, RoundTripWithACommaInTheDescription)
{
    const NetTable table{{{"135", "45.5"}, {"44.5", "44.5"}, {"359.25", "0"}}};
    const OrientationLines lines = orientationFileLines(table.cells(), "东山, 2020年", "L");
    ASSERT_EQ(lines.fault, OrientationWriteFault::None);
    ASSERT_EQ(lines.lines.size(), 5u);
    EXPECT_EQ(lines.lines[0], "\"东山, 2020年\"");
    EXPECT_EQ(lines.lines[1], "L");
    EXPECT_EQ(lines.lines[2], " 135           46 ");
    EXPECT_EQ(lines.lines[3], " 44.5          44 ");
    const OrientationRead read = parseOrientationFile(joined(lines.lines));
    ASSERT_EQ(read.fault, OrientationReadFault::None);
    EXPECT_EQ(read.description, "东山, 2020年");
    EXPECT_EQ(read.dataType, "L");
    EXPECT_EQ(read.records, (std::vector<std::vector<std::string>>{{"135", "46"}, {"44.5", "44"}, {"359.25", "0"}}));
}

TEST(OrientationFile, TypeLineIsAlwaysWrittenAndAnEmptyTableGivesTheHeaderOnly)
{
    const OrientationLines lines = orientationFileLines(NetTable{}.cells(), "说明文字（如时间或地点等）", "");
    ASSERT_EQ(lines.fault, OrientationWriteFault::None);
    EXPECT_EQ(lines.lines, (std::vector<std::string>{"说明文字（如时间或地点等）", "P"}));
    const OrientationRead read = parseOrientationFile(joined(lines.lines));
    EXPECT_EQ(read.fault, OrientationReadFault::None);
    EXPECT_TRUE(read.headerAccepted);
    EXPECT_TRUE(read.records.empty());
}

struct ReadCase {
    const char* name;
    const char* text;
    OrientationReadFault fault;
    bool headerAccepted;
    std::size_t records;
};

TEST(OrientationFile, ReadFaultsAndTheirMessages)
{
    std::string full = "d\r\nP\r\n";
    for (int i = 0; i < 500; ++i)
        full += "10,20\r\n";
    const ReadCase cases[] = {
        {"lower-case type", "d\r\np\r\n10,20\r\n", OrientationReadFault::None, true, 1},
        {"type x", "d\r\nx\r\n10,20\r\n", OrientationReadFault::TypeRefused, false, 0},
        {"empty type", "d\r\n\r\n10,20\r\n", OrientationReadFault::TypeRefused, false, 0},
        {"plain attitude list", "135,45\r\n120,30\r\n", OrientationReadFault::TypeRefused, false, 0},
        {"comma in an unquoted description", "a,b\r\nP\r\n", OrientationReadFault::TypeRefused, false, 0},
        {"ends in the header", "only a description\r\n", OrientationReadFault::HeaderMissing, false, 0},
        {"ends inside a record", "d\r\nL\r\n10,20\r\n30\r\n", OrientationReadFault::ItemMissing, true, 1},
        {"a 500th record", full.c_str(), OrientationReadFault::TooManyRecords, true, 499},
    };
    for (const ReadCase& c : cases) {
        const OrientationRead read = parseOrientationFile(c.text);
        EXPECT_EQ(read.fault, c.fault) << c.name;
        EXPECT_EQ(read.headerAccepted, c.headerAccepted) << c.name;
        EXPECT_EQ(read.records.size(), c.records) << c.name;
    }
    EXPECT_EQ(parseOrientationFile("d\r\np\r\n").dataType, "P");
    EXPECT_EQ(orientationReadMessage(OrientationReadFault::TypeRefused), "数据类型说明有误！");
    EXPECT_EQ(orientationReadMessage(OrientationReadFault::ItemMissing), "数据文件出错！");
    EXPECT_EQ(orientationReadMessage(OrientationReadFault::CannotRead), "数据文件出错！");
    EXPECT_EQ(readOrientationFile("/nonexistent/file.txt").fault, OrientationReadFault::CannotRead);
}

TEST(OrientationFile, WriteChecksEveryRowAndTheDescriptionFirst)
{
    struct Case {
        const char* name;
        NetTable table;
        const char* description;
        OrientationWriteFault fault;
        int badRow;
    };
    const Case cases[] = {
        {"empty dip", {{{"10", "20"}, {"30", ""}}}, "d", OrientationWriteFault::BadRow, 2},
        {"dip beyond 16 bits", {{{"10", "40000"}}}, "d", OrientationWriteFault::BadRow, 1},
        {"direction beyond single", {{{"1e39", "40"}}}, "d", OrientationWriteFault::BadRow, 1},
        {"comma and quote", {{{"10", "20"}}}, "a,\"b", OrientationWriteFault::DescriptionUnreadable, 0},
    };
    for (const Case& c : cases) {
        const OrientationLines lines = orientationFileLines(c.table.cells(), c.description, "P");
        EXPECT_EQ(lines.fault, c.fault) << c.name;
        EXPECT_EQ(lines.badRow, c.badRow) << c.name;
        EXPECT_TRUE(lines.lines.empty()) << c.name;
    }
    EXPECT_EQ(orientationWriteMessage(OrientationWriteFault::BadRow), "数据有误，请检查！");
    EXPECT_EQ(orientationWriteMessage(OrientationWriteFault::DescriptionUnreadable), "数据文件出错！");
    EXPECT_EQ(orientationWriteMessage(OrientationWriteFault::CannotWrite), "数据文件出错！");
    EXPECT_EQ(writeOrientationFile("/nonexistent/dir/x.txt", NetTable{}.cells(), "d", "P"),
              OrientationWriteFault::CannotWrite);
}

TEST(PetrofabricFile, ANewWindowSavesItsDefaults)
{
    const PetrofabricLines lines = petrofabricFileLines(NetTable{}.cells(), PetrofabricSettings{});
    ASSERT_EQ(lines.fault, PetrofabricWriteFault::None);
    EXPECT_EQ(lines.lines, (std::vector<std::string>{"无", " 0 ", "O", " 0 ", " 0 ", "无", " 0             0 "}));
}

TEST(PetrofabricFile, RoundTripWithACommaInATextItem)
{
    PetrofabricSettings s;
    s.sectionNo = "K-3, 上";
    s.grainCount = 99; // not what is written: the number of lines is
    s.dataType = "c";
    s.arrowAzimuth = 12.5f;
    s.stageArrowDir = 300;
    s.mineralName = " 石英";
    s.sectionDipDir = 210.75f;
    s.sectionDip = 35;
    const NetTable table{{{"135", "44.5", "n"}, {"20.5", "10", "e,w"}}};
    const PetrofabricLines lines = petrofabricFileLines(table.cells(), s);
    ASSERT_EQ(lines.fault, PetrofabricWriteFault::None);
    EXPECT_EQ(lines.lines[0], "\"K-3, 上\"");
    EXPECT_EQ(lines.lines[1], " 2 ");
    EXPECT_EQ(lines.lines[5], "\" 石英\"");
    EXPECT_EQ(lines.lines[6], " 210.75        35 ");
    EXPECT_EQ(lines.lines[7], " 135           44           n");
    EXPECT_EQ(lines.lines[8], " 20.5          10           \"e,w\"");
    EXPECT_EQ(s.grainCount, 99);

    const PetrofabricRead read = parsePetrofabricFile(joined(lines.lines));
    ASSERT_EQ(read.fault, PetrofabricReadFault::None);
    EXPECT_FALSE(read.countMismatch());
    PetrofabricSettings back;
    applyPetrofabricRead(read, back);
    EXPECT_EQ(back.sectionNo, s.sectionNo);
    EXPECT_EQ(back.grainCount, 2);
    EXPECT_EQ(back.dataType, "c");
    EXPECT_EQ(back.arrowAzimuth, 12.5f);
    EXPECT_EQ(back.stageArrowDir, 300.0f);
    EXPECT_EQ(back.mineralName, " 石英");
    EXPECT_EQ(back.sectionDipDir, 210.75f);
    EXPECT_EQ(back.sectionDip, 35.0f);
    EXPECT_EQ(read.records, (std::vector<std::vector<std::string>>{{"135", "44", "n"}, {"20.5", "10", "e,w"}}));
}

TEST(PetrofabricFile, GrainCountMismatchIsAWarningAndTheCountBecomesTheRowsRead)
{
    std::string text = "S1\r\n 12 \r\no\r\n0\r\n0\r\nQ\r\n 0  0 \r\n";
    for (int i = 0; i < 10; ++i)
        text += " 10  20  n\r\n";
    const PetrofabricRead read = parsePetrofabricFile(text);
    EXPECT_EQ(read.fault, PetrofabricReadFault::None);
    EXPECT_TRUE(read.countMismatch());
    EXPECT_EQ(read.records.size(), 10u);
    PetrofabricSettings s;
    applyPetrofabricRead(read, s);
    EXPECT_EQ(s.grainCount, 10);
    EXPECT_EQ(std::string(kGrainCountMismatchMessage), "数据数目有误，请检查！");
}

TEST(PetrofabricFile, ReadFaultsKeepWhatWasReadBefore)
{
    struct Case {
        const char* name;
        const char* text;
        PetrofabricReadFault fault;
        int headerItems;
        std::size_t records;
        std::int16_t grainCount; // after applying
    };
    const Case cases[] = {
        {"grain count not a number", "S\r\nabc\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n", PetrofabricReadFault::BadGrainCount, 1, 0, 0},
        {"grain count beyond 16 bits", "S\r\n40000\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n", PetrofabricReadFault::BadGrainCount, 1, 0, 0},
        {"fractional grain count, halves to even", "S\r\n2.5\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n", PetrofabricReadFault::None, 8, 0, 0},
        {"angle beyond single", "S\r\n3\r\no\r\n1e39\r\n0\r\nQ\r\n0 0\r\n", PetrofabricReadFault::BadAngle, 3, 0, 3},
        {"ends in the header", "S\r\n3\r\no\r\n", PetrofabricReadFault::HeaderMissing, 3, 0, 3},
        {"last ring letter missing", "S\r\n3\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n1 2 n\r\n3 4\r\n", PetrofabricReadFault::ItemMissing, 8, 1, 3},
    };
    for (const Case& c : cases) {
        const PetrofabricRead read = parsePetrofabricFile(c.text);
        EXPECT_EQ(read.fault, c.fault) << c.name;
        EXPECT_EQ(read.headerItemsRead, c.headerItems) << c.name;
        EXPECT_EQ(read.records.size(), c.records) << c.name;
        PetrofabricSettings s;
        applyPetrofabricRead(read, s);
        EXPECT_EQ(s.grainCount, c.grainCount) << c.name;
        EXPECT_EQ(s.sectionNo, "S") << c.name;
        EXPECT_EQ(petrofabricReadMessage(read.fault).empty(), c.fault == PetrofabricReadFault::None) << c.name;
    }
    EXPECT_EQ(parsePetrofabricFile("S\r\n2.5\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n").header.grainCount, 2);
    EXPECT_EQ(parsePetrofabricFile("S\r\n3.5\r\no\r\n0\r\n0\r\nQ\r\n0 0\r\n").header.grainCount, 4);
    EXPECT_EQ(petrofabricReadMessage(PetrofabricReadFault::CannotRead), "打开数据文件出错！");
}

TEST(PetrofabricFile, WriteChecksEveryRowAndEveryText)
{
    struct Case {
        const char* name;
        NetTable table;
        const char* mineral;
        PetrofabricWriteFault fault;
        int badRow;
    };
    const Case cases[] = {
        {"empty ring", {{{"10", "20", "n"}, {"10", "20", ""}}}, "Q", PetrofabricWriteFault::BadRow, 2},
        {"empty dip", {{{"10", "", "n"}}}, "Q", PetrofabricWriteFault::BadRow, 1},
        {"dip beyond 16 bits", {{{"10", "-40000", "n"}}}, "Q", PetrofabricWriteFault::BadRow, 1},
        {"comma and quote in the mineral", {{{"10", "20", "n"}}}, "a,\"b", PetrofabricWriteFault::TextUnreadable, 0},
        {"quote in a quoted ring", {{{"10", "20", " \"n"}}}, "Q", PetrofabricWriteFault::TextUnreadable, 1},
    };
    for (const Case& c : cases) {
        PetrofabricSettings s;
        s.mineralName = c.mineral;
        const PetrofabricLines lines = petrofabricFileLines(c.table.cells(), s);
        EXPECT_EQ(lines.fault, c.fault) << c.name;
        EXPECT_EQ(lines.badRow, c.badRow) << c.name;
        EXPECT_TRUE(lines.lines.empty()) << c.name;
    }
    EXPECT_EQ(petrofabricWriteMessage(PetrofabricWriteFault::BadRow), "数据有误，请检查！");
    EXPECT_EQ(writePetrofabricFile("/nonexistent/dir/x.txt", NetTable{}.cells(), PetrofabricSettings{}),
              PetrofabricWriteFault::CannotWrite);
}

} // namespace
} // namespace kv
