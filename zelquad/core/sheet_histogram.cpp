#include "zelquad/core/sheet_histogram.h"

#include <cmath>

namespace zq {

namespace {

// x of dip 10t on the axis (80 units for 90 degrees), kept in single
// precision as the sheet has always carried it.
float dipAxisX(int t) { return static_cast<float>(140 + (80 * t) / 9.0); }

void writeAxes(CadScript& script)
{
    script.line(140, -80, 140, -5);
    script.line(140, -80, 225, -80);
    script.line(225, -80, 222, -79);
    script.line(225, -80, 222, -81);
    script.line(140, -5, 139, -8);
    script.line(140, -5, 141, -8);
}

void writeTicks(CadScript& script)
{
    for (int t = 0; t <= 9; ++t) {
        const float x = dipAxisX(t);
        script.line(x, -80, x, -81);
        script.text("ST", "BC", x, -83, 1, 0, ScriptNumber(10 * t).text());
    }
    for (int t = 0; t <= 10; ++t) {
        const int y = 7 * t - 80;
        script.line(140, y, 139, y);
        script.text("ST", "MR", 138, y, 1, 0, ScriptNumber(10 * t).text());
    }
    script.text("ST", "BL", 130, -8, 2, 0, "(%)");
    script.text("ST", "BC", 220, -87, 2, 0, "(%%d)"); // %%d: the degree sign
}

// 0.7 units per percent.
void writeBar(CadScript& script, int j, int percent)
{
    script.layer("Red");
    const float x0 = dipAxisX(j - 1);
    const float w = static_cast<float>(80 / 9.0);
    const float x1 = x0 + w;
    const double top = -80 + 0.7 * percent;
    script.line(x0, -80, x0, top);
    script.line(x0, top, x1, top);
    script.line(x1, top, x1, -80);
    script.layer("Blue");
    const double label = std::floor(10.0 * percent + 0.5) / 10;
    script.text("ST", "BL", static_cast<float>(x0 + 40 / 9.0), top + 2, 1.2, 0, ScriptNumber(label).text());
}

} // namespace

void writeDipHistogram(CadScript& script, const FractureStatistics& st)
{
    script.layer("Green");
    writeAxes(script);
    writeTicks(script);
    for (int j = 1; j <= 9; ++j)
        writeBar(script, j, st.dipPercent[j]);
}

void writeCaptions(CadScript& script)
{
    script.text("ST", "BC", 70, 12, 3, 0, "裂隙极点等密度图");
    script.text("ST", "BC", 180, 12, 3, 0, "裂隙走向玫瑰花图");
    script.text("ST", "BC", 70, -92, 3, 0, "裂隙倾向玫瑰花图");
    script.text("ST", "BC", 180, -92, 3, 0, "裂隙倾角直方图");
}

void writeSheetFrame(CadScript& script)
{
    script.layer("0");
    script.line(10, -100, 10, 160);
    script.line(10, 160, 235, 160);
    script.line(235, 160, 235, -100);
    script.line(235, -100, 10, -100);
}

} // namespace zq
