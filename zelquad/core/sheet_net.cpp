#include "zelquad/core/sheet_net.h"

#include "platform/text/number_text.h"
#include "zelquad/core/fracture_statistics.h"

#include <cmath>

namespace zq {

void writeTitleBlock(CadScript& script, const std::string& site, int recordCount)
{
    script.layer("Red");
    script.line(20, 140, 230, 140);
    script.line(20, 142, 230, 142);
    script.text("HT", "BC", 125, 145, 4, 0, site + "裂隙等密图,玫瑰图及倾角直方图");
    // The count keeps its sign place: two blanks after "=".
    std::string count = kv::printText(recordCount);
    count.pop_back();
    script.text("ST", "ML", 30, 135, 4, 0, "裂隙条数 = " + count);
}

void writeNetOutline(CadScript& script)
{
    script.layer("0");
    script.circle(70, 80, 40);
    script.line(30, 80, 110, 80);
    script.line(70, 120, 70, 40);
}

void writeNetLabels(CadScript& script)
{
    script.layer("RED");
    script.text("ST", "MR", 27, 80, 3, 0, "W");
    script.text("ST", "ML", 113, 80, 3, 0, "E");
    script.text("ST", "BC", 70, 123, 3, 0, "N");
    script.text("ST", "TC", 70, 37, 3, 0, "S");
}

// Ticks at the equal-area radius of every 10 degrees of dip, on both sides of
// the centre (the right half first, so 0 is written twice).
void writeDipScaleBar(CadScript& script)
{
    script.layer("Blue");
    for (int side : {-1, 1}) {
        script.line(70, 30, 70 - 40 * side, 30);
        for (int t = 0; t <= 9; ++t) {
            const double x = 70 - side * kPoleRadiusFactor * 4 * std::sin((t * kRadiansPerDegree) * 5);
            script.line(x, 30, x, 31);
            script.text("ST", "TC", x, 28, 1.0f, 0, ScriptNumber(10 * t).text());
        }
    }
}

} // namespace zq
