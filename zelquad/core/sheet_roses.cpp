#include "zelquad/core/sheet_roses.h"

#include "zelquad/core/sheet_geometry.h"

#include <cmath>

namespace zq {

namespace {

void line(CadScript& script, const kv::Point& from, const kv::Point& to)
{
    script.line(from.x, from.y, to.x, to.y);
}

// A one-unit tick outwards from rim point i.
void rimTick(CadScript& script, const kv::Point& centre, int i)
{
    const kv::Point p = rimPoint(centre, i);
    const double a = (270 + 10 * i) * kRadiansPerDegree;
    script.line(p.x, p.y, p.x + std::sin(a), p.y + std::cos(a));
}

void azimuthLabel(CadScript& script, const kv::Point& at, int i)
{
    script.text("ST", "BL", at.x, at.y, 1.5, 0, ScriptNumber(rimAzimuth(i)).text());
}

// Where the label of strike rim point i starts, beside the point.
kv::Point strikeLabelPlace(int i)
{
    const kv::Point p = rimPoint(kStrikeRoseCentre, i);
    if (i < 9)
        return {p.x - 6, p.y - 1};
    if (i == 9)
        return {p.x - 0.5, p.y + 1.5};
    return {p.x + 2, p.y - 1};
}

kv::Point dipDirectionLabelPlace(int i)
{
    const kv::Point p = rimPoint(kDipDirectionRoseCentre, i);
    if (i < 9)
        return {p.x - 8, p.y};
    if (i == 9)
        return {p.x - 2.3, p.y + 1.5};
    if (i <= 18)
        return {p.x + 1, p.y};
    if (i <= 26)
        return {p.x, p.y - 2.05};
    if (i == 27)
        return {p.x - 3.5, p.y - 2.5};
    return {p.x - 8, p.y - 2.05};
}

// Petal tips of strike class b (0..18) and dip-direction class d (1..36); an
// empty class has its tip at the rose centre.
kv::Point strikePetalTip(const FractureStatistics& st, int b)
{
    return petalTip(kStrikeRoseCentre, st.strike[b].count * st.strikeRoseScale, st.strike[b].mean);
}

kv::Point dipDirectionPetalTip(const FractureStatistics& st, int d)
{
    return petalTip(kDipDirectionRoseCentre, st.dipDirection[d].count * st.dipDirectionRoseScale,
                    st.dipDirection[d].mean);
}

} // namespace

void writeStrikeRose(CadScript& script, const FractureStatistics& st)
{
    const kv::Point c = kStrikeRoseCentre;
    script.upperHalfArc(c.x, c.y, kRoseRadius);
    line(script, rimPoint(c, 0), rimPoint(c, 18));
    script.line(180, 80, 180, 120);
    for (int i = 1; i <= 17; ++i)
        rimTick(script, c, i);

    script.layer("Blue");
    for (int i = 0; i <= 18; i += 3)
        azimuthLabel(script, strikeLabelPlace(i), i);

    script.layer("Yellow");
    script.dashed();
    for (int b = 0; b <= 17; ++b)
        line(script, c, strikePetalTip(st, b));

    script.layer("Red");
    script.solid();
    kv::Point from = c;
    for (int b = 0; b <= 18; ++b) {
        const kv::Point tip = strikePetalTip(st, b);
        line(script, from, tip);
        from = tip;
    }
}

void writeStrikeTable(CadScript& script, const FractureStatistics& st)
{
    script.layer("Blue");
    for (int r = 0; r <= 10; ++r)
        script.line(140, 20 + 5 * r, 220, 20 + 5 * r);
    for (int c = 0; c <= 4; ++c)
        script.line(140 + 20 * c, 20, 140 + 20 * c, 70);

    script.layer("Green");
    for (int h = 0; h <= 1; ++h) {
        script.text("ST", "MC", 150 + 40 * h, 67.5, 3, 0, "走向");
        script.text("ST", "MC", 170 + 40 * h, 67.5, 3, 0, "条数");
    }
    for (int h = 0; h <= 1; ++h)
        for (int r = 0; r <= 8; ++r) {
            const ClassTally& tally = st.strike[r + 9 * h];
            const double y = 62.5 - 5 * r;
            script.text("ST", "MC", 150 + 40 * h, y, 2, 0, ScriptNumber(tally.mean).text());
            script.text("ST", "MC", 170 + 40 * h, y, 2, 0, ScriptNumber(tally.count).text());
        }
}

void writeDipDirectionRose(CadScript& script, const FractureStatistics& st)
{
    const kv::Point c = kDipDirectionRoseCentre;
    script.layer("Green");
    script.circle(70, -40, 40);
    script.line(30, -40, 110, -40);
    script.line(70, 0, 70, -80);
    for (int i = 0; i <= 35; ++i)
        rimTick(script, c, i);

    script.layer("Blue");
    for (int i = 0; i <= 33; i += 3)
        azimuthLabel(script, dipDirectionLabelPlace(i), i);

    script.layer("Yellow");
    script.dashed();
    for (int d = 1; d <= 36; ++d)
        line(script, c, dipDirectionPetalTip(st, d));

    // Closed: from the last tip round through all 36.
    script.layer("Red");
    script.solid();
    kv::Point from = dipDirectionPetalTip(st, 36);
    for (int d = 1; d <= 36; ++d) {
        const kv::Point tip = dipDirectionPetalTip(st, d);
        line(script, from, tip);
        from = tip;
    }
}

} // namespace zq
