#include "zelquad/core/plot_previews.h"

#include "platform/text/number_text.h"

#include <cmath>

namespace zq {

namespace {

constexpr kv::Colour kYellow{255, 255, 0};
// Pi as the half-circle's end angle has always been given, in single precision.
constexpr float kHalfTurn = 3.1415926f;

// Drawn positions are single precision.
kv::Point single(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

kv::Stroke pen(kv::Colour c) { return {c, 1, kv::LineStyle::Solid}; }

void line(kv::Drawing& d, kv::Point from, kv::Point to, kv::Colour c) { d.add(kv::LineItem{from, to, pen(c)}); }

void circle(kv::Drawing& d, kv::Point centre, double r, kv::Colour c)
{
    d.add(kv::CircleItem{centre, r, pen(c), std::nullopt});
}

void upperHalfCircle(kv::Drawing& d, kv::Point centre, double r, kv::Colour c)
{
    d.add(kv::ArcItem{centre, r, 0, kHalfTurn, pen(c)});
}

void text(kv::Drawing& d, kv::Point at, const std::string& s, kv::Colour c, double size)
{
    d.add(kv::DotItem{at, kv::colours::white, 1});
    kv::TextItem item;
    item.at = at;
    item.text = s;
    item.colour = c;
    item.fontSize = size;
    d.add(item);
}

// The petal rule of the screen: s twips per drawing unit about the centre.
kv::Point screenTip(kv::Point centre, double scale, double length, double azimuthDegrees)
{
    const double a = (azimuthDegrees - 90) * kRadiansPerDegree;
    return single(centre.x + scale * length * std::cos(a), centre.y + scale * length * std::sin(a));
}

struct ScreenRose {
    kv::Point centre;
    double scale; // twips per drawing unit
};

void strikePetals(kv::Drawing& d, const ScreenRose& rose, const FractureStatistics& st)
{
    auto tip = [&](int b) {
        return screenTip(rose.centre, rose.scale, st.strike[b].count * st.strikeRoseScale, st.strike[b].mean);
    };
    for (int b = 0; b <= 17; ++b)
        line(d, rose.centre, tip(b), kYellow);
    kv::Point from = rose.centre;
    for (int b = 0; b <= 18; ++b) {
        line(d, from, tip(b), kv::colours::red);
        from = tip(b);
    }
}

void dipDirectionPetals(kv::Drawing& d, const ScreenRose& rose, const FractureStatistics& st)
{
    auto tip = [&](int k) {
        const ClassTally& c = st.dipDirection[k];
        return screenTip(rose.centre, rose.scale, c.count * st.dipDirectionRoseScale, c.mean);
    };
    for (int k = 1; k <= 36; ++k)
        line(d, rose.centre, tip(k), kYellow);
    kv::Point from = tip(36);
    for (int k = 1; k <= 36; ++k) {
        line(d, from, tip(k), kv::colours::red);
        from = tip(k);
    }
}

// Left side up, top, right side down.
void bar(kv::Drawing& d, int left, int right, int base, int top)
{
    line(d, {double(left), double(base)}, {double(left), double(top)}, kv::colours::red);
    line(d, {double(left), double(top)}, {double(right), double(top)}, kv::colours::red);
    line(d, {double(right), double(top)}, {double(right), double(base)}, kv::colours::red);
}

void smallFrames(kv::Drawing& d)
{
    circle(d, {1000, 1000}, 800, kv::colours::black);
    line(d, {200, 1000}, {1800, 1000}, kv::colours::red);
    line(d, {1000, 200}, {1000, 1800}, kv::colours::red);
    circle(d, {2800, 1000}, 800, kv::colours::blue);
    line(d, {2000, 1000}, {3600, 1000}, kv::colours::blue);
    line(d, {2800, 200}, {2800, 1800}, kv::colours::blue);
    upperHalfCircle(d, {1000, 2800}, 800, kv::colours::blue);
    line(d, {200, 2800}, {1800, 2800}, kv::colours::blue);
    line(d, {1000, 2000}, {1000, 2800}, kv::colours::blue);
    line(d, {2000, 1900}, {2000, 2800}, kv::colours::green);
    line(d, {2000, 2800}, {3650, 2800}, kv::colours::green);
    for (int k = 0; k <= 10; ++k)
        line(d, {1980, 2800.0 - 90 * k}, {2000, 2800.0 - 90 * k}, kv::colours::blue);
    for (int k = 0; k <= 9; ++k)
        line(d, {2000.0 + 180 * k, 2800}, {2000.0 + 180 * k, 2820}, kv::colours::blue);
}

void resultNet(kv::Drawing& d, const std::vector<ContourLine>& contours)
{
    circle(d, {2300, 1800}, 1600, kv::colours::green);
    line(d, {700, 1800}, {3900, 1800}, kv::colours::green);
    line(d, {2300, 3400}, {2300, 200}, kv::colours::green);
    text(d, {2270, 40}, "N", kv::colours::red, 7);
    text(d, {2270, 3430}, "S", kv::colours::red, 7);
    text(d, {3970, 1730}, "E", kv::colours::red, 7);
    text(d, {580, 1730}, "W", kv::colours::red, 7);
    text(d, {1800, 3700}, "裂隙等密图", kv::colours::blue, 10);
    for (const ContourLine& c : contours)
        for (std::size_t i = 1; i < c.points.size(); ++i)
            line(d, resultWindowPoint(c.points[i - 1]), resultWindowPoint(c.points[i]), kv::colours::blue);
}

void resultStrikeRose(kv::Drawing& d, const FractureStatistics& st)
{
    upperHalfCircle(d, {2300, 6000}, 1600, kv::colours::blue);
    line(d, {700, 6000}, {3900, 6000}, kv::colours::blue);
    line(d, {2300, 4400}, {2300, 6000}, kv::colours::blue);
    text(d, {2270, 6050}, "o", kv::colours::red, 7);
    text(d, {2270, 4240}, "0", kv::colours::red, 7);
    text(d, {3950, 5930}, "90", kv::colours::red, 7);
    text(d, {450, 5930}, "270", kv::colours::red, 7);
    text(d, {1800, 6200}, "走向玫瑰图", kv::colours::blue, 10);
    strikePetals(d, {{2300, 6000}, 40}, st);
}

void resultDipDirectionRose(kv::Drawing& d, const FractureStatistics& st)
{
    circle(d, {6000, 1800}, 1600, kv::colours::blue);
    line(d, {4400, 1800}, {7600, 1800}, kv::colours::blue);
    line(d, {6000, 200}, {6000, 3400}, kv::colours::blue);
    text(d, {5970, 40}, "N", kv::colours::red, 7);
    text(d, {5970, 3450}, "S", kv::colours::red, 7);
    text(d, {7650, 1730}, "E", kv::colours::red, 7);
    text(d, {4280, 1730}, "W", kv::colours::red, 7);
    text(d, {5500, 3700}, "倾向玫瑰图", kv::colours::blue, 10);
    dipDirectionPetals(d, {{6000, 1800}, 40}, st);
}

void resultHistogram(kv::Drawing& d, const FractureStatistics& st)
{
    for (int k = 1; k <= 9; ++k) {
        const int left = 4400 + 360 * (k - 1);
        const int right = 4400 + 360 * k;
        const int top = 6000 - 18 * st.dipPercent[k];
        bar(d, left, right, 6000, top);
        const double label = std::floor(st.dipPercent[k] * 10 + 0.5) / 10;
        const int middle = left + (right - left) / 2;
        text(d, {middle - 50.0, top - 150.0}, kv::printText(label), kv::colours::blue, 6);
    }
    line(d, {4400, 4200}, {4400, 6000}, kv::colours::green);
    line(d, {4400, 6000}, {7700, 6000}, kv::colours::green);
    for (int k = 0; k <= 10; ++k) {
        line(d, {4360, 6000.0 - 180 * k}, {4400, 6000.0 - 180 * k}, kv::colours::green);
        text(d, {4180, 5950.0 - 180 * k}, std::to_string(10 * k), kv::colours::blue, 6);
    }
    for (int k = 0; k <= 9; ++k) {
        line(d, {4400.0 + 360 * k, 6000}, {4400.0 + 360 * k, 6040}, kv::colours::green);
        text(d, {4350.0 + 360 * k, 6070}, std::to_string(10 * k), kv::colours::blue, 6);
    }
    text(d, {5500, 6200}, "倾角直方图", kv::colours::blue, 10);
}

} // namespace

kv::Point resultWindowPoint(const kv::Point& sheet) { return single(40 * sheet.x - 500, 5000 - 40 * sheet.y); }

kv::Drawing smallPreview(const CheckedRecords& records, const FractureStatistics& st)
{
    kv::Drawing d;
    for (const kv::Attitude& read : records.all()) {
        const kv::Attitude a = insideLastClass(read);
        const double r = kPoleRadiusFactor * std::sin(a.dip * kRadiansPerDegree / 2);
        const double azimuth = (a.dipDirection - 90) * kRadiansPerDegree;
        d.add(kv::DotItem{single(1000 + 80 * r * std::cos(azimuth), 1000 + 80 * r * std::sin(azimuth)),
                          kv::colours::blue, 1});
    }
    smallFrames(d);
    strikePetals(d, {{1000, 2800}, 20}, st);
    dipDirectionPetals(d, {{2800, 1000}, 20}, st);
    for (int k = 1; k <= 9; ++k)
        bar(d, 2000 + 180 * (k - 1), 2000 + 180 * k, 2800, 2800 - 9 * st.dipPercent[k]);
    return d;
}

kv::Drawing resultPreview(const FractureStatistics& st, const std::vector<ContourLine>& contours)
{
    kv::Drawing d;
    resultNet(d, contours);
    resultStrikeRose(d, st);
    resultDipDirectionRose(d, st);
    resultHistogram(d, st);
    return d;
}

} // namespace zq
