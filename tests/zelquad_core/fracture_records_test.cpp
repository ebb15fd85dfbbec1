#include "zelquad/core/fracture_records.h"

#include <gtest/gtest.h>

#include <string>

namespace zq {
namespace {

using P = RecordProblem;

std::size_t countOf(const std::variant<CheckedRecords, RecordFailure>& r)
{
    return std::holds_alternative<CheckedRecords>(r) ? std::get<CheckedRecords>(r).size() : 0;
}

TEST(FractureRecords, PairsOfNumbersInAnyLayout)
{
    const struct {
        const char* text;
        std::size_t records;
    } cases[] = {
        {"135,45\r\n200,30\r\n", 2},
        {"135 45\n200\t30", 2},
        {"  135 ,  45 \r\n\r\n\r\n", 1},          // empty lines at the end are the end
        {"135\n45\n200\n30\n", 2},                // a record may span lines
        {"360,90\n0,0\n", 2},                     // both limits are valid
        {"1.5E2,4.5e1\n", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(countOf(readFractureRecords(c.text)), c.records) << c.text;
    const auto read = readFractureRecords("135.5 45\n");
    ASSERT_TRUE(std::holds_alternative<CheckedRecords>(read));
    EXPECT_EQ(std::get<CheckedRecords>(read).all().front(), (kv::Attitude{135.5, 45}));
}

TEST(FractureRecords, FirstBadRecordIsNamedByItsNumber)
{
    const struct {
        const char* text;
        RecordFailure failure;
    } cases[] = {
        {"360.5,10\n", {P::DipDirectionAbove360, 1}},
        {"10,10\n400,100\n", {P::DipDirectionAbove360, 2}}, // the direction is tested first
        {"10,10\n20,90.01\n", {P::DipAbove90, 2}},
        {"10,10\n-5,100\n", {P::DipAbove90, 2}},           // the upper limits before the lower ones
        {"-0.5,10\n", {P::NegativeDipDirection, 1}},
        {"10,-1\n", {P::NegativeDip, 1}},
        {"10,10\nabc,20\n400,10\n", {P::NotANumber, 2}},   // reading stops at the first bad one
        {"10,1x\n", {P::NotANumber, 1}},
        {"10,,20\n", {P::NotANumber, 1}},
        {"1e999,10\n", {P::NotANumber, 1}},
        {"inf,10\n", {P::NotANumber, 1}},
        {"10,10\n20\n", {P::MissingDip, 2}},
        {"", {P::NoRecords, 0}},
        {" \r\n\r\n", {P::NoRecords, 0}},
    };
    for (const auto& c : cases) {
        const auto read = readFractureRecords(c.text);
        ASSERT_TRUE(std::holds_alternative<RecordFailure>(read)) << c.text;
        EXPECT_EQ(std::get<RecordFailure>(read), c.failure) << c.text;
    }
}

TEST(FractureRecords, OnlyTheTwoUpperLimitsEndTheProgram)
{
    EXPECT_TRUE(endsProgram(P::DipDirectionAbove360));
    EXPECT_TRUE(endsProgram(P::DipAbove90));
    for (P p : {P::NotANumber, P::NegativeDipDirection, P::NegativeDip, P::MissingDip, P::NoRecords,
                P::TooManyRecords})
        EXPECT_FALSE(endsProgram(p));
}

TEST(FractureRecords, MoreRecordsThanTheLimitAreRefused)
{
    std::string text;
    text.reserve((kMaxRecords + 1) * 4);
    for (std::size_t i = 0; i < kMaxRecords; ++i)
        text += "1 2\n";
    EXPECT_EQ(countOf(readFractureRecords(text)), kMaxRecords);
    text += "1 2\n";
    const auto read = readFractureRecords(text);
    ASSERT_TRUE(std::holds_alternative<RecordFailure>(read));
    EXPECT_EQ(std::get<RecordFailure>(read), (RecordFailure{P::TooManyRecords, kMaxRecords + 1}));

    const auto none = CheckedRecords::check({});
    ASSERT_TRUE(std::holds_alternative<RecordFailure>(none));
    EXPECT_EQ(std::get<RecordFailure>(none).problem, P::NoRecords);
}

} // namespace
} // namespace zq
