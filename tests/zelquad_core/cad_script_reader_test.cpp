// The test-side reader must itself catch a broken script, or the sheet tests
// built on it could pass on anything.
#include "tests/support/cad_script_reader.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;
const std::string E;

Lines withHeaderStyleAndLayer(Lines body)
{
    Lines lines = {"Style ST", "宋体", E, E, E, E, E, "LAYER M Red C Red", E, E, "LAYER M Yellow C Yellow", E,
                   "L Dashed2", E, E};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

TEST(CadScriptReader, RebuildsEntitiesWithTheirLayerAndLineType)
{
    const CadReadResult r = readCadScript(withHeaderStyleAndLayer({
        "Layer s red", E, "Line", "1,2", "3,4", E,
        "Layer s Yellow", E, "LINETYPE S Dashed2", E, "LTSCALE 5",
        "CIRCLE", "70,-40", "40",
        "LINETYPE S ByLayer", E,
        "ARC C", "180,80", "220,80", "140,80",
        "TEXT S ST", "BC", "125,145", "4", "0", "裂隙条数 =  1",
        "TEXT S ST", ".5,-.25", "1.5", "0", "W",
        "Spline", "1,1", "2,2", "3,1", E, E, E,
        "ZOOM A"}));
    ASSERT_EQ(r.error, "");
    const auto& d = r.drawing;
    EXPECT_TRUE(d.zoomedAll);
    EXPECT_EQ(d.layers.at("RED").colour, "RED");
    EXPECT_EQ(d.layers.at("YELLOW").lineType, "DASHED2");
    EXPECT_EQ(d.ltscale, 5);
    ASSERT_EQ(d.entities.size(), 6u);
    EXPECT_EQ(d.entities[0].layer, "RED");
    EXPECT_EQ(d.entities[0].points[1].y, 4);
    EXPECT_EQ(d.entities[1].kind, CadEntity::Kind::Circle);
    EXPECT_EQ(d.entities[1].lineType, "DASHED2");
    EXPECT_EQ(d.entities[2].lineType, "BYLAYER");
    EXPECT_EQ(d.entities[2].points[2].x, 140);
    EXPECT_EQ(d.entities[3].justification, "BC");
    EXPECT_EQ(d.entities[3].text, "裂隙条数 =  1");
    EXPECT_EQ(d.entities[4].justification, "");
    EXPECT_EQ(d.entities[4].points[0].x, 0.5);
    EXPECT_EQ(d.entities[4].points[0].y, -0.25);
    EXPECT_EQ(d.entities[5].points.size(), 3u);
}

TEST(CadScriptReader, RejectsScriptsTheCadProgramWouldMisread)
{
    const struct {
        const char* what;
        Lines body;
        int errorLine; // within the body
    } cases[] = {
        {"an Enter too many repeats the command", {"Line", "1,2", "3,4", E, E}, 5},
        {"an Enter missing swallows the next command", {"Line", "1,2", "3,4", "CIRCLE", "0,0", "1"}, 4},
        {"a spline without its tangent answers", {"Spline", "1,1", "2,2", E, E, "ZOOM A"}, 6},
        {"a point with a blank", {"Line", "1, 2", "3,4", E}, 2},
        {"a style never made", {"TEXT S HT", "0,0", "1", "0", "x"}, 1},
        {"a layer never made", {"Layer s Blue", E}, 1},
        {"text cut short", {"TEXT S ST", "0,0", "1"}, 3},
        {"anything after the zoom", {"ZOOM A", "Line"}, 2},
        {"a number with a comma for its point", {"CIRCLE", "0,0", "1,5"}, 3},
    };
    for (const auto& c : cases) {
        const CadReadResult r = readCadScript(withHeaderStyleAndLayer(c.body));
        EXPECT_NE(r.error, "") << c.what;
        EXPECT_EQ(r.errorLine, c.errorLine + 15) << c.what << ": " << r.error;
    }
}

} // namespace
} // namespace kv::test
