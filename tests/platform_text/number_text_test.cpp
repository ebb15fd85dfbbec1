#include "platform/text/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace kv;

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfAText)
{
    const struct { const char* text; double value; } cases[] = {
        {"135", 135}, {"045", 45}, {"  1 2", 12}, {"\t-\n5", -5}, {"+7", 7},
        {"1-2", 1}, {"12abc", 12}, {"1.2.3", 1.2}, {"1,5", 1}, {".5", 0.5},
        {"-.5e1", -5}, {"1E2", 100}, {"1e-2", 0.01}, {"1D2", 100}, {"2.5d-1", 0.25},
        {"1E", 1}, {"1E+", 1}, {"1 E 2", 100},
        {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"x12", 0}, {"\r5", 0},
        {"&HFFFF", -1}, {"&hff", 255}, {"&H7FFF", 32767}, {"&H8000", -32768},
        {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&H80000000", -2147483648.0},
        {"&H100000000", 4294967296.0}, {"&H10000000000000000", 0x1p64}, {"& H 1 0", 16}, {"&H1G", 1},
        {"&O17", 15}, {"&o177777", -1}, {"&O18", 1},
        {"&H", 0}, {"&HG", 0}, {"&X1", 0}, {"-&H10", 0},
        {"1e-400", 0}, {"0e999999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, HugeNumbersBecomeInfinityThatNoConversionAccepts)
{
    EXPECT_EQ(leadingNumber("1e400"), kInf);
    EXPECT_EQ(leadingNumber("-1e400"), -kInf);
    EXPECT_EQ(leadingNumber("1e99999999999999999999"), kInf);
    EXPECT_FALSE(roundToInt16(leadingNumber("1e400")));
    EXPECT_FALSE(toSinglePrecision(leadingNumber("1e400")));
    EXPECT_TRUE(std::signbit(leadingNumber("-0")));
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourWithin16Bits)
{
    const struct { double value; int expected; } cases[] = {
        {44.5, 44}, {45.5, 46}, {12.5, 12}, {2.5, 2}, {3.5, 4}, {-0.5, 0},
        {-1.5, -2}, {-2.5, -2}, {0.49999999999999994, 0}, {44.500001, 45},
        {-0.0, 0}, {32767.4, 32767}, {-32768.5, -32768}, {-32767.5, -32768},
    };
    for (const auto& c : cases) {
        const auto r = roundToInt16(c.value);
        ASSERT_TRUE(r) << c.value;
        EXPECT_EQ(*r, c.expected) << c.value;
    }
    for (double outside : {32767.5, 32768.0, -32768.6, -40000.0, kInf, -kInf, kNaN})
        EXPECT_FALSE(roundToInt16(outside)) << outside;
}

TEST(RoundHalfEven, CoversTheWhole64BitRange)
{
    EXPECT_EQ(roundHalfEven(4503599627370497.0), 4503599627370497); // odd, above 2^52
    EXPECT_EQ(roundHalfEven(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundHalfEven(-6.5), -6);
    EXPECT_FALSE(roundHalfEven(9223372036854775808.0)); // 2^63
    EXPECT_FALSE(roundHalfEven(1e300));
    EXPECT_FALSE(roundHalfEven(kNaN));
}

TEST(IntFloor, RoundsDownAlsoForNegatives)
{
    EXPECT_EQ(intFloor(-0.5), -1);
    EXPECT_EQ(intFloor(-1.0), -1);
    EXPECT_EQ(intFloor(2.7), 2);
    EXPECT_EQ(intFloor(-2.7), -3);
}

TEST(ToSinglePrecision, RefusesValuesBeyondSinglePrecision)
{
    EXPECT_EQ(toSinglePrecision(0.1), 0.1f);
    EXPECT_EQ(toSinglePrecision(-FLT_MAX), -FLT_MAX);
    EXPECT_EQ(toSinglePrecision(3.4028235e38), FLT_MAX); // the printed largest single reads back
    // Halfway between the largest single and 2^128 a conversion would round to
    // infinity; just below it, to the largest single.
    EXPECT_EQ(toSinglePrecision(0x1.fffffefffffffp+127), FLT_MAX);
    EXPECT_EQ(toSinglePrecision(-0x1.fffffefffffffp+127), -FLT_MAX);
    for (double outside : {0x1.ffffffp+127, -0x1.ffffffp+127, 1e39, -1e39, 3.4028236e38, kInf, -kInf, kNaN})
        EXPECT_FALSE(toSinglePrecision(outside)) << outside;
}

TEST(PrintText, SinglePrecision)
{
    const struct { float value; const char* text; } cases[] = {
        {135.f, " 135 "}, {135.5f, " 135.5 "}, {1.0f / 3, " .3333333 "}, {0.5f, " .5 "},
        {-5.f, "-5 "}, {0.25f, " .25 "}, {-0.25f, "-.25 "}, {0.1f, " .1 "},
        {0.f, " 0 "}, {-0.f, " 0 "}, {9999999.f, " 9999999 "}, {1e7f, " 1E+07 "},
        {123456789.f, " 1.234568E+08 "}, {2.5e20f, " 2.5E+20 "}, {0.001f, " .001 "},
        {1e-4f, " 1E-04 "}, {1e-5f, " 1E-05 "}, {-1.5e-7f, "-1.5E-07 "},
        {std::numeric_limits<float>::infinity(), " inf "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printText(c.value), c.text) << c.value;
}

TEST(PrintText, DoublePrecisionAndWholeNumbers)
{
    const struct { double value; const char* text; } cases[] = {
        {1.0 / 3, " .333333333333333 "}, {0.1 + 0.2, " .3 "}, {-2.0 / 3, "-.666666666666667 "},
        {123456789012345.0, " 123456789012345 "}, {1e15, " 1E+15 "},
        {1e300, " 1E+300 "}, {-1e-300, "-1E-300 "}, {-0.0, " 0 "}, {kNaN, " nan "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printText(c.value), c.text) << c.value;
    EXPECT_EQ(printText(45), " 45 ");
    EXPECT_EQ(printText(std::int64_t{-5}), "-5 ");
    EXPECT_EQ(printText(std::int16_t{0}), " 0 ");
}

TEST(PrintLine, RecordOfDipDirectionAndDip)
{
    PrintLine line;
    line.add(printText(135.f)).nextZone().add(printText(*roundToInt16(45)));
    EXPECT_EQ(line.str(), " 135" + std::string(11, ' ') + "45 ");
    EXPECT_EQ(line.str().size(), 18u);
    EXPECT_EQ(line.str().find("45"), 15u); // column 16
}

TEST(PrintLine, ZoneBoundaries)
{
    EXPECT_EQ(PrintLine().nextZone().str(), std::string(14, ' '));
    EXPECT_EQ(PrintLine().add("abcdefghijklmn").nextZone().add("x").str().find('x'), 14u);
    EXPECT_EQ(PrintLine().add("abcdefghijklmno").nextZone().add("x").str().find('x'), 28u);
    EXPECT_EQ(PrintLine().add(" 1 ").nextZone().nextZone().str().size(), 28u);
    EXPECT_EQ(PrintLine().nextZone().nextZone().str().size(), 28u);
    EXPECT_EQ(PrintLine().nextZone().add("").nextZone().str().size(), 28u);
    // Chinese characters take two columns each: "倾向" (4 columns) gets 10 blanks.
    EXPECT_EQ(PrintLine().add("倾向").nextZone().str(), "倾向" + std::string(10, ' '));
    EXPECT_EQ(PrintLine().add("数据数据数据数").nextZone().str(), "数据数据数据数");
    EXPECT_EQ(printWidth("a倾·"), 5);
}

TEST(CellText, ShortestFormWithZeroBeforeThePoint)
{
    const struct { float value; const char* text; } singles[] = {
        {0.5f, "0.5"}, {-0.25f, "-0.25"}, {100.f, "100"}, {135.5f, "135.5"},
        {1e20f, "1E+20"}, {0.1f, "0.1"}, {0.f, "0"}, {-0.f, "0"},
        {1.0f / 3, "0.3333333"}, {0.001f, "0.001"}, {1e-5f, "1E-05"},
    };
    for (const auto& c : singles)
        EXPECT_EQ(cellText(c.value), c.text) << c.value;
    EXPECT_EQ(cellText(0.1), "0.1");
    EXPECT_EQ(cellText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(cellText(-kInf), "-inf");
    EXPECT_EQ(cellText(kNaN), "nan");
}

TEST(CellText, LargestNumbersReadBackAsNumbers)
{
    // Rounded to 15 digits the largest double would be 1.79769313486232E+308,
    // beyond the largest double: its digits are cut instead.
    const struct { double value; const char* cell; const char* print; } cases[] = {
        {DBL_MAX, "1.79769313486231E+308", " 1.79769313486231E+308 "},
        {-DBL_MAX, "-1.79769313486231E+308", "-1.79769313486231E+308 "},
        {1.7976931348623e308, "1.7976931348623E+308", " 1.7976931348623E+308 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cellText(c.value), c.cell) << c.value;
        EXPECT_EQ(printText(c.value), c.print) << c.value;
        EXPECT_TRUE(std::isfinite(leadingNumber(c.cell))) << c.cell;
    }
    EXPECT_EQ(cellText(FLT_MAX), "3.402823E+38");
    EXPECT_EQ(formatMask(DBL_MAX, "0.00").substr(0, 16), "1797693134862310");
}

TEST(FormatMask, HalvesOnTheLastShownDigitGoAwayFromZero)
{
    const struct { double value; const char* mask; const char* text; } cases[] = {
        {2.675, "0.00", "2.68"}, {0.125, "0.00", "0.13"}, {-0.125, "0.00", "-0.13"},
        {44.45, "#0.0", "44.5"}, {0.5, "0", "1"}, {-0.5, "0", "-1"}, {2.5, "#0", "3"},
        {1.5, "#0", "2"}, {12.3456, "0.000", "12.346"}, {123.456, "0", "123"},
        {9.995, "0.00", "10.00"}, {99.96, "#0.0", "100.0"}, {0.05, "#0.0", "0.1"},
        {-0.04, "#0.0", "0.0"}, {-0.0, "0.0", "0.0"}, {0, "0.000", "0.000"},
        {5.25, "000.0", "005.3"}, {7, "00.0", "07.0"}, {1234.5, "00.0", "1234.5"},
        {0.1234, "0.00%", "12.34%"}, {0.5, "#0.0%", "50.0%"}, {0.125, "0.0%", "12.5%"},
        {0.00125, "0.0%", "0.1%"}, {-0.00049, "0.0%", "0.0%"},
        {0.5, "#.##", ".5"}, {1.25, "#.##", "1.25"}, {1, "#.##", "1."},
        {1e20, "0.0", "100000000000000000000.0"}, {12.34, "0.0 m", "12.3 m"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(FormatMask, SinglesRoundFromTheirOwnDigitsAndNonFiniteDoesNotCrash)
{
    EXPECT_EQ(formatMaskSingle(2.675f, "0.00"), "2.68");
    EXPECT_EQ(formatMask(static_cast<double>(2.675f), "0.00"), "2.67");
    EXPECT_EQ(formatMaskSingle(44.45f, "#0.0"), "44.5");
    EXPECT_EQ(formatMask(kNaN, "0.00"), "nan");
    EXPECT_EQ(formatMask(0.25, ""), "0.25");
    EXPECT_EQ(formatMask(-kInf, "0.0%"), "-inf");
}
