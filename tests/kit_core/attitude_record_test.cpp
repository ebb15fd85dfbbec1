#include "kit/core/attitude_record.h"

#include <gtest/gtest.h>

using kv::ItemReader;
using kv::RecordFault;
using kv::RecordReadFault;

TEST(AttitudeRecord, LinesInPrintZones)
{
    struct Case {
        const char* dipDirection;
        const char* dip;
        const char* line;
    };
    const Case cases[] = {
        {"135", "45", " 135           45 "},
        {"-5", "30", "-5             30 "},
        {"0.25", "10", " .25           10 "},
        {"0.3333333333", "7", " .3333333      7 "},
        {"135.5", "-45", " 135.5        -45 "},
        {"0", "0", " 0             0 "},
        {"45.5", "45.5", " 45.5          46 "},  // dip halves go to the even neighbour
        {"44.5", "44.5", " 44.5          44 "},
        {"12.5", "12.5", " 12.5          12 "},
        {"200", "abc", " 200           0 "},    // letters read as 0
        {"abc", "", " 0             0 "},
        {" 1 35", "4 5", " 135           45 "}, // blanks inside are skipped
        {"123456789", "90", " 1.234568E+08  90 "},
        {"&H10", "&O10", " 16            8 "},
        {"32767", "32767", " 32767         32767 "},
        {"1", "-32768", " 1            -32768 "},
    };
    for (const Case& c : cases) {
        const kv::FormattedRecord r = kv::formatAttitudeRecord(c.dipDirection, c.dip);
        ASSERT_TRUE(r.ok()) << c.dipDirection << ", " << c.dip;
        EXPECT_EQ(r.line, c.line) << c.dipDirection << ", " << c.dip;
    }
}

TEST(AttitudeRecord, TheModelRecordHasItsDigitsInColumnsTwoAndSixteen)
{
    const std::string line = kv::formatAttitudeRecord("135", "45").line;
    ASSERT_EQ(line.size(), 18u);
    EXPECT_EQ(line.find("135"), 1u);
    EXPECT_EQ(line.find("45"), 15u);
}

TEST(AttitudeRecord, NumbersTheRecordCannotHoldAreBadRecords)
{
    struct Case {
        const char* dipDirection;
        const char* dip;
        RecordFault fault;
    };
    const Case cases[] = {
        {"135", "40000", RecordFault::DipOutOfRange},
        {"135", "32767.5", RecordFault::DipOutOfRange}, // rounds to 32768
        {"135", "-32769", RecordFault::DipOutOfRange},
        {"135", "1e400", RecordFault::DipOutOfRange},
        {"1e39", "45", RecordFault::DipDirectionOutOfRange},
        {"-1e39", "45", RecordFault::DipDirectionOutOfRange},
        {"1e400", "45", RecordFault::DipDirectionOutOfRange},
        {"1e39", "40000", RecordFault::DipDirectionOutOfRange},
    };
    for (const Case& c : cases) {
        const kv::FormattedRecord r = kv::formatAttitudeRecord(c.dipDirection, c.dip);
        EXPECT_EQ(r.fault, c.fault) << c.dipDirection << ", " << c.dip;
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.line, "");
    }
    EXPECT_TRUE(kv::formatAttitudeRecord("3.4e38", "45").ok());
}

TEST(AttitudeRecord, ALineTakesAThirdItemInTheNextZone)
{
    kv::PrintLine line = kv::attitudeRecordLine({135.0f, 45});
    line.nextZone().add("s");
    EXPECT_EQ(line.str(), " 135           45           s");
}

TEST(AttitudeRecord, ItemsBecomeCellTexts)
{
    struct Case {
        ItemReader::Item item;
        const char* cell;
    };
    const Case cases[] = {
        {{"045", 45.0}, "45"},       {{".5", 0.5}, "0.5"},     {{"1E2", 100.0}, "100"},
        {{"-.25", -0.25}, "-0.25"},  {{"135", 135.0}, "135"},  {{"abc", std::nullopt}, "abc"},
        {{"a,b", std::nullopt}, "a,b"}, {{"", std::nullopt}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kv::cellTextOfItem(c.item), c.cell) << c.item.text;
}

namespace {

using Records = std::vector<std::vector<std::string>>;

kv::RecordsRead read(const std::string& text, int perRecord = 2, int maxRecords = 499)
{
    ItemReader reader(text);
    return kv::readRecords(reader, perRecord, maxRecords);
}

} // namespace

TEST(AttitudeRecord, RecordsAreReadItemByItem)
{
    struct Case {
        const char* name;
        std::string text;
        Records records;
        RecordReadFault fault;
    };
    const Case cases[] = {
        {"comma, blank and line ends", "135,45\r\n200 30\n10\r20\r\n",
         {{"135", "45"}, {"200", "30"}, {"10", "20"}}, RecordReadFault::None},
        {"numbers in shortest form", " 045 , .5\r\n1E2,-.25\r\n", {{"45", "0.5"}, {"100", "-0.25"}},
         RecordReadFault::None},
        {"quoted items hold commas", "\"a,b\", 12\r\nN30E,5\r\n", {{"a,b", "12"}, {"N30E", "5"}},
         RecordReadFault::None},
        {"one item per line", "1\r\n2\r\n3\r\n4\r\n", {{"1", "2"}, {"3", "4"}}, RecordReadFault::None},
        {"three items shift records", "1,2,3\r\n4,5,6\r\n", {{"1", "2"}, {"3", "4"}, {"5", "6"}},
         RecordReadFault::None},
        {"empty lines at the end", "135,45\r\n\r\n\r\n  \r\n", {{"135", "45"}}, RecordReadFault::None},
        {"empty text", "", {}, RecordReadFault::None},
        {"last record cut short", "135,45\r\n10\r\n", {{"135", "45"}}, RecordReadFault::ItemMissing},
        {"odd items", "1\r\n2\r\n3\r\n", {{"1", "2"}}, RecordReadFault::ItemMissing},
    };
    for (const Case& c : cases) {
        const kv::RecordsRead r = read(c.text);
        EXPECT_EQ(r.records, c.records) << c.name;
        EXPECT_EQ(r.fault, c.fault) << c.name;
    }
}

TEST(AttitudeRecord, NoMoreRecordsThanRows)
{
    const std::string three = "1,2\r\n3,4\r\n5,6\r\n";
    kv::RecordsRead r = read(three, 2, 2);
    EXPECT_EQ(r.fault, RecordReadFault::TooManyRecords);
    EXPECT_EQ(r.records, (Records{{"1", "2"}, {"3", "4"}}));

    r = read(three, 2, 3);
    EXPECT_EQ(r.fault, RecordReadFault::None);
    EXPECT_EQ(r.records.size(), 3u);

    r = read("1,2,s\r\n3,4,n\r\n", 3, 499);
    EXPECT_EQ(r.records, (Records{{"1", "2", "s"}, {"3", "4", "n"}}));
}

TEST(AttitudeRecord, WrittenRecordsReadBackAsTheSameCellTexts)
{
    std::string file;
    const std::pair<const char*, const char*> rows[] = {{"135", "45"}, {"0.5", "30"}, {"-5", "0"},
                                                        {"359.75", "90"}};
    for (const auto& [dipDirection, dip] : rows)
        file += kv::formatAttitudeRecord(dipDirection, dip).line + "\r\n";
    const kv::RecordsRead r = read(file);
    EXPECT_EQ(r.fault, RecordReadFault::None);
    EXPECT_EQ(r.records, (Records{{"135", "45"}, {"0.5", "30"}, {"-5", "0"}, {"359.75", "90"}}));
}
