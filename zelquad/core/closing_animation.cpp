#include "zelquad/core/closing_animation.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <cstdint>

namespace zq {

namespace {

constexpr int kBandTwips = 200;
constexpr int kGrowthTwips = 10;
constexpr int kBandSteps = 21;
constexpr kv::Colour kBlindColour{15, 0, 0}; // colour value 15: a red so dark it reads as black
constexpr kv::Colour kGrey{192, 192, 192};

// Nearest whole number, halves to even; a window too large for a number
// still animates (the bands are capped well beyond any screen).
std::int64_t nearest(double v)
{
    return std::clamp<std::int64_t>(kv::roundHalfEven(v).value_or(0), 0, 1000000);
}

void filledBox(kv::Drawing& d, double x1, double y1, double x2, double y2, kv::Colour c)
{
    d.add(kv::PolygonItem{{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, {c, 1, kv::LineStyle::Solid}, c});
}

} // namespace

kv::Drawing closingAnimationStep(int step, double widthTwips, double heightTwips)
{
    kv::Drawing d;
    if (step < 0 || step >= kClosingAnimationSteps)
        return d;
    if (step < kBandSteps) {
        const double s = kGrowthTwips * step;
        const double w = static_cast<double>(nearest(widthTwips));
        const std::int64_t bands = nearest(heightTwips / kBandTwips);
        for (std::int64_t k = 0; k <= bands; ++k)
            filledBox(d, 0, kBandTwips * k, w, kBandTwips * k + s, kBlindColour);
    } else if (step == kBandSteps) {
        filledBox(d, 0, 0, widthTwips, heightTwips, kv::colours::blue);
    } else {
        const double s = kGrowthTwips * (step - kBandSteps - 1);
        const std::int64_t bands = nearest(widthTwips / kBandTwips);
        for (std::int64_t k = 0; k <= bands; ++k)
            filledBox(d, kBandTwips * k, 0, kBandTwips * k + s, heightTwips, kGrey);
    }
    return d;
}

} // namespace zq
