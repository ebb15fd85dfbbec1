#include "strain/core/curvature_lookup.h"

#include "platform/text/number_text.h"

namespace kv {
namespace {

float singleOf(const std::string& cell) { return toSinglePrecision(leadingNumber(cell)).value_or(0.0f); }

bool near(float listed, float pointer) { return listed - 2 < pointer && pointer < listed + 2; }

} // namespace

std::optional<std::size_t> findListedCurvature(const std::vector<CurvatureRow>& rows, double pointerX,
                                               double pointerY, double pictureHeight)
{
    const float x = static_cast<float>(pointerX);
    const float heightAbove = static_cast<float>(pictureHeight) - static_cast<float>(pointerY);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (near(singleOf(rows[i].xText()), x) && near(singleOf(rows[i].heightText()), heightAbove))
            return i;
    return std::nullopt;
}

std::string curvatureReadout(const std::vector<CurvatureRow>& rows, double pointerX, double pointerY,
                             double pictureHeight)
{
    const auto row = findListedCurvature(rows, pointerX, pointerY, pictureHeight);
    if (!row)
        return "曲率：";
    return "曲率:" + formatMaskSingle(singleOf(rows[*row].curvatureText()), "0.00");
}

} // namespace kv
