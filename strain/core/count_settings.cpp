#include "strain/core/count_settings.h"

#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

// K + 1 for a step, or empty when the quotient has no whole-number value.
std::optional<std::int64_t> orientationsFor(float turnangle)
{
    const float quotient = 180.0f / turnangle;
    const auto k = roundHalfEven(quotient);
    if (!k)
        return std::nullopt;
    return *k + 1;
}

} // namespace

std::variant<CountSettings, CountSettingsRefusal> checkCountSettings(std::string_view lineText,
                                                                      std::string_view stepText)
{
    const double lines = leadingNumber(lineText);
    const double step = leadingNumber(stepText);
    const auto roundedLines = roundHalfEven(lines);
    if (roundedLines && (*roundedLines % 2 == 0 || lines < 0))
        return CountSettingsRefusal::EvenLineCount;
    if (step <= 0)
        return CountSettingsRefusal::NonPositiveStep;
    if (!roundedLines || *roundedLines > kMostCountLines)
        return CountSettingsRefusal::TooManyLines;
    const auto singleStep = toSinglePrecision(step);
    if (!singleStep || *singleStep <= 0) // beyond the largest single, or below the smallest
        return CountSettingsRefusal::StepOutOfRange;
    const auto orientations = orientationsFor(*singleStep);
    if (!orientations || *orientations > kCountTableLastRow)
        return CountSettingsRefusal::StepTooSmall;
    return CountSettings{static_cast<float>(lines), *singleStep};
}

Notice countSettingsNotice(CountSettingsRefusal refusal)
{
    switch (refusal) {
    case CountSettingsRefusal::EvenLineCount:
        return {"反向轮直线数目应为奇数，请重新选择！", "错误！"};
    case CountSettingsRefusal::NonPositiveStep:
        return {"反向轮转动角度要大于0度，请重新选择！", "错误！"};
    case CountSettingsRefusal::TooManyLines:
        return {"反向轮直线数目不能超过9999，请重新选择！", "错误！"};
    case CountSettingsRefusal::StepTooSmall:
        return {"反向轮转动角度太小，统计结果超出表格的199行，请重新选择！", "错误！"};
    case CountSettingsRefusal::StepOutOfRange:
        return {"反向轮转动角度超出范围，请重新选择！", "错误！"};
    }
    return {};
}

int chordCount(const CountSettings& settings)
{
    return static_cast<int>(roundHalfEven(settings.nlines).value_or(0));
}

int orientationCount(const CountSettings& settings)
{
    return static_cast<int>(orientationsFor(settings.turnangle).value_or(1));
}

} // namespace kv
