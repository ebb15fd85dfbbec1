#include "zelquad/core/cad_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zq {
namespace {

using Lines = std::vector<std::string>;

TEST(CadScript, HeaderSetsLimitsStylesLayersAndLineTypeIn57Lines)
{
    const std::string E;
    const Lines expected = {
        "LIMITS", "-10,-120", "250,180",
        "Style Standard Romans.shx", E, E, E, E, E, E,
        "Style HT", "黑体", E, E, E, E, E,
        "Style ST", "宋体", E, E, E, E, E,
        "Style KT", "楷体_GB2312", E, E, E, E, E,
        "Style FS", "仿宋_GB2312", E, E, E, E, E,
        "LAYER M Black C White", E, E,
        "LAYER M Red C Red", E, E,
        "LAYER M Blue C Blue", E, E,
        "LAYER M Green C Green", E, E,
        "LAYER M Yellow C Yellow", E, "L Dashed2", E, E,
        "LINETYPE S ByLayer", E,
    };
    CadScript script;
    script.writeHeader();
    EXPECT_EQ(script.lines().size(), 57u);
    EXPECT_EQ(script.lines(), expected);
}

TEST(ScriptNumber, ShortestTextWithoutBlanksOrLeadingZeroDigitsByType)
{
    const struct {
        ScriptNumber number;
        const char* text;
    } cases[] = {
        {0.25, ".25"}, {-0.5, "-.5"}, {62.5, "62.5"}, {100.0, "100"}, {100, "100"}, {-3, "-3"},
        {0.0, "0"}, {-0.0, "0"}, {1.5, "1.5"},
        // 15 significant digits for double, 7 for single
        {1.0 / 3, ".333333333333333"}, {110 - 4e-8, "109.99999996"},
        {140 + 80 / 9.0, "148.888888888889"}, {static_cast<float>(140 + 80 / 9.0), "148.8889"},
        {static_cast<float>(220), "220"},
        // beyond the plain form the exponent keeps the value
        {1e-5, "1E-05"}, {-2.5e20, "-2.5E+20"}, {1e15, "1E+15"}, {123456789012345.0, "123456789012345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number.text(), c.text);
}

TEST(CadScript, EntitiesLineByLine)
{
    const std::string E;
    struct Case {
        const char* what;
        void (*write)(CadScript&);
        Lines expected;
    };
    const Case cases[] = {
        {"line", [](CadScript& s) { s.line(20, 140, 230, 140); }, {"Line", "20,140", "230,140", E}},
        {"circle", [](CadScript& s) { s.circle(70, -40, 40); }, {"CIRCLE", "70,-40", "40"}},
        {"arc", [](CadScript& s) { s.upperHalfArc(180, 80, 40); }, {"ARC C", "180,80", "220,80", "140,80"}},
        {"text without justification",
         [](CadScript& s) { s.text(" ST ", "", 1.5, -0.25, 3, 0, "裂隙 = 1"); },
         {"TEXT S ST", "1.5,-.25", "3", "0", "裂隙 = 1"}},
        {"text with justification",
         [](CadScript& s) { s.text("HT", "BC", 125, 145, 4, 0, " a "); },
         {"TEXT S HT", "BC", "125,145", "4", "0", " a "}},
        {"spline", [](CadScript& s) { s.spline({{70, 83.5}, {72.75, 80}, {70, 83.5}}); },
         {"Spline", "70,83.5", "72.75,80", "70,83.5", E, E, E}},
        {"layer", [](CadScript& s) { s.layer("RED"); }, {"Layer s RED", E}},
        {"dashed", [](CadScript& s) { s.dashed(); }, {"LINETYPE S Dashed2", E, "LTSCALE 5"}},
        {"solid", [](CadScript& s) { s.solid(); }, {"LINETYPE S ByLayer", E}},
        {"zoom", [](CadScript& s) { s.zoomAll(); }, {"ZOOM A"}},
    };
    for (const Case& c : cases) {
        CadScript script;
        c.write(script);
        EXPECT_EQ(script.lines(), c.expected) << c.what;
    }
}

} // namespace
} // namespace zq
