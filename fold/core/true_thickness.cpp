#include "fold/core/true_thickness.h"

#include "kit/core/attitude.h"
#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

struct BoxRule {
    double lowest;
    double highest; // infinity: no upper limit
    const char* message;
};

BoxRule ruleOf(ThicknessBox box)
{
    switch (box) {
    case ThicknessBox::StratumDip:
    case ThicknessBox::TraverseInclination:
        return {0, 90, "出错，倾角介于0—90度！"};
    case ThicknessBox::StratumDipDirection:
    case ThicknessBox::TraverseDirection:
        return {0, 360, "出错，倾向介于0—360度！"};
    case ThicknessBox::SlopeDistance:
        break;
    }
    // 0 passes although the message asks for more: an empty box is 0 and
    // simply gives a thickness of 0.
    return {0, HUGE_VAL, "出错，测线斜距应大于0！"};
}

float radiansOfSingle(float degrees)
{
    return static_cast<float>(degrees * kAttitudePi / 180.0);
}

} // namespace

std::optional<std::string> thicknessBoxRefusal(ThicknessBox box, std::string_view text)
{
    const BoxRule rule = ruleOf(box);
    const double value = leadingNumber(text);
    if (!toSinglePrecision(value) || value < rule.lowest || value > rule.highest)
        return std::string(rule.message);
    return std::nullopt;
}

std::optional<float> trueThickness(const Traverse& t)
{
    const std::optional<float> alphaDegrees = toSinglePrecision(t.stratumDip);
    const std::optional<float> thetaDegrees = toSinglePrecision(t.stratumDipDirection);
    const std::optional<float> betaDegrees = toSinglePrecision(t.traverseInclination);
    const std::optional<float> phiDegrees = toSinglePrecision(t.traverseDirection);
    const std::optional<float> distance = toSinglePrecision(t.slopeDistance);
    if (!alphaDegrees || !thetaDegrees || !betaDegrees || !phiDegrees || !distance)
        return std::nullopt;
    const float alpha = radiansOfSingle(*alphaDegrees);
    const float theta = radiansOfSingle(*thetaDegrees);
    const float beta = radiansOfSingle(*betaDegrees);
    const float phi = radiansOfSingle(*phiDegrees);
    // The traverse L (cos b cos p, cos b sin p, -sin b) against the stratum's
    // upward normal (sin a cos t, sin a sin t, cos a), north-east-up axes.
    const double across = std::cos(beta) * std::sin(alpha) * std::cos(theta - phi) - std::cos(alpha) * std::sin(beta);
    return toSinglePrecision(std::fabs(static_cast<float>(across)) * static_cast<double>(*distance));
}

std::string thicknessText(float thickness)
{
    std::string text = printText(leadingNumber(formatMaskSingle(thickness, "0.00")));
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

Traverse traverseOfTexts(const ThicknessBoxTexts& texts)
{
    return {leadingNumber(texts.stratumDip), leadingNumber(texts.stratumDipDirection),
            leadingNumber(texts.traverseInclination), leadingNumber(texts.traverseDirection),
            leadingNumber(texts.slopeDistance)};
}

std::vector<std::string> thicknessReportLines(const ThicknessBoxTexts& texts)
{
    const std::pair<const char*, const std::string*> rows[] = {
        {"岩层倾角：", &texts.stratumDip},         {"测线倾角：", &texts.traverseInclination},
        {"岩层倾向：", &texts.stratumDipDirection}, {"测线倾向：", &texts.traverseDirection},
        {"测线斜距：", &texts.slopeDistance},       {"岩层厚度：", &texts.thickness},
    };
    std::vector<std::string> lines;
    for (const auto& [caption, text] : rows) {
        PrintLine line;
        line.add(caption).nextZone().add(*text);
        lines.push_back(line.str());
    }
    return lines;
}

} // namespace kv
