// The written script, replayed by the test-side reader and drawn as the CAD
// program would show it, has the sheet where the layout puts it.
#include "tests/zelquad_ui/cad_render.h"
#include "tests/zelquad_ui/zelquad_fixture.h"

#include "platform/text/text_file.h"

namespace zq::test {
namespace {

using ScriptRenderingTest = ZelquadTest;

bool inked(const QImage& image, const QPoint& p, int radius = 1)
{
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            if (image.pixelColor(p + QPoint(dx, dy)) != Qt::white)
                return true;
    return false;
}

// The strongest ink near a point (antialiased edges are paler).
QColor colourNear(const QImage& image, const QPoint& p)
{
    QColor best = Qt::white;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor c = image.pixelColor(p + QPoint(dx, dy));
            if (c.lightness() < best.lightness())
                best = c;
        }
    return best;
}

TEST_F(ScriptRenderingTest, WrittenSheetReplaysIntoTheFourPlotsAndTheirFrame)
{
    run("坝址", writeFile("survey.dat", threeJointSets(300)), path("survey"));
    const kv::TextReadResult script = kv::readTextFile(path("survey.scr").toStdString());
    ASSERT_EQ(script.error, kv::FileError::None);
    const kv::test::CadReadResult read = kv::test::readCadScript(kv::splitLines(script.text));
    ASSERT_EQ(read.error, "") << "line " << read.errorLine;
    const kv::test::CadDrawing& d = read.drawing;
    EXPECT_EQ(d.limitsLow.x, -10);
    EXPECT_EQ(d.limitsHigh.y, 180);

    const double scale = 4;
    const QImage sheet = renderCadDrawing(d, scale);
    saveShot(sheet, "script_sheet.png");
    auto at = [&](double x, double y) { return cadPixel(d, scale, x, y); };
    // The frame's corners, the net's east point, the strike rose's arc top,
    // the dip rose's west point, the histogram origin.
    for (const auto& p : {at(10, -100), at(235, 160), at(110, 80), at(180, 120), at(30, -40), at(140, -80)})
        EXPECT_TRUE(inked(sheet, p)) << p.x() << "," << p.y();
    // Nothing outside the frame, nothing below the strike rose's base line.
    for (const auto& p : {at(5, 0), at(240, 0), at(120, 170), at(180, 75), at(160, 78)})
        EXPECT_FALSE(inked(sheet, p, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(colourNear(sheet, at(125, 140)), QColor(220, 0, 0)); // the red title rule
    EXPECT_EQ(colourNear(sheet, at(70 + 40 * 0.7071, 80 + 40 * 0.7071)), Qt::black); // net on layer 0
}

} // namespace
} // namespace zq::test
