#include "fold/core/beta_analysis.h"

#include "fold/core/stereo_net.h"
#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// Shorter than this, a summed dip line or a hinge vector has no direction
// worth drawing: the beds cancel out or the limbs are parallel.
constexpr double kNoDirection = 1e-6;

Vector3 singleVector(const Vector3& v) { return {toSingle(v.x), toSingle(v.y), toSingle(v.z)}; }

// Downward normal of a plane (pole of the lower hemisphere).
Vector3 downwardNormal(const Attitude& plane)
{
    const double a = radiansOf(plane.dipDirection);
    const double d = radiansOf(plane.dip);
    return {-std::sin(d) * std::cos(a), -std::sin(d) * std::sin(a), std::cos(d)};
}

// The normal mirrored about the vertical: its trend is the plane's dip
// direction and its plunge 90 less the dip, so its attitude reads back as the
// plane's.
Vector3 mirroredNormal(const Attitude& plane)
{
    const Vector3 n = downwardNormal(plane);
    return {-n.x, -n.y, n.z};
}

Vector3 downwards(const Vector3& v) { return v.z < 0 ? -1.0 * v : v; }

std::optional<Attitude> singleBed(const CellText& cell, int row)
{
    const std::optional<float> dipDirection = singleOfCellText(cell(row, 1));
    const std::optional<float> dip = singleOfCellText(cell(row, 2));
    if (!dipDirection || !dip)
        return std::nullopt;
    return Attitude{*dipDirection, *dip};
}

} // namespace

std::string betaFaultMessage(BetaFault fault)
{
    switch (fault) {
    case BetaFault::LimbCount:
        return "两翼岩层产状数目有误！";
    case BetaFault::BadData:
        return "数据有误，请检查！";
    case BetaFault::None:
        break;
    }
    return {};
}

std::optional<LimbCounts> limbCounts(std::string_view leftText, std::string_view rightText)
{
    const double left = leadingNumber(leftText);
    const double right = leadingNumber(rightText);
    if (!(left + right <= kFoldTableLastRow)) // also refuses infinities
        return std::nullopt;
    const std::optional<std::int16_t> nLeft = roundToInt16(left);
    const std::optional<std::int16_t> nRight = roundToInt16(right);
    if (!nLeft || !nRight || *nLeft < 1 || *nRight < 1)
        return std::nullopt;
    // 249.5 and 249.5 sum to 499 but round to 250 each.
    if (*nLeft + *nRight > kFoldTableLastRow)
        return std::nullopt;
    return LimbCounts{*nLeft, *nRight};
}

std::optional<Attitude> typicalLimb(const CellText& cell, int firstRow, int lastRow)
{
    if (firstRow == lastRow)
        return singleBed(cell, firstRow);
    Vector3 sum;
    for (int row = firstRow; row <= lastRow; ++row)
        sum = sum + lineVector({leadingNumber(cell(row, 1)), leadingNumber(cell(row, 2))});
    const double size = length(sum);
    if (!std::isfinite(size) || size < kNoDirection)
        return std::nullopt;
    const std::optional<LineAttitude> mean = vector2attitude((1 / size) * sum);
    if (!mean)
        return std::nullopt;
    return Attitude{mean->trend, mean->plunge};
}

double apicalAngle(const Attitude& left, const Attitude& right, bool overturned)
{
    const double dL = radiansOf(left.dip);
    const double dR = radiansOf(right.dip);
    const double turn = radiansOf(right.dipDirection) - radiansOf(left.dipDirection);
    const double c = toSingle(std::sin(dL) * std::sin(dR) * std::cos(turn) + std::cos(dL) * std::cos(dR));
    const double between = toSingle(degreesOf(std::acos(std::clamp(c, -1.0, 1.0))));
    return toSingle(overturned ? between : 180 - between);
}

std::optional<Attitude> axialPlane(const Attitude& left, const Attitude& right, bool overturned)
{
    const Vector3 l = singleVector(mirroredNormal(left));
    const Vector3 r = singleVector(mirroredNormal(right));
    const Vector3 v = downwards(singleVector(overturned ? l + r : l - r));
    const std::optional<LineAttitude> pole = vector2attitude(v);
    if (!pole)
        return std::nullopt;
    return Attitude{pole->trend, toSingle(90 - pole->plunge)};
}

std::optional<LineAttitude> foldHinge(const Attitude& left, const Attitude& right)
{
    const Vector3 h = downwards(singleVector(cross(downwardNormal(left), downwardNormal(right))));
    if (!(length(h) >= kNoDirection))
        return std::nullopt;
    return vector2attitude(h);
}

BetaAnalysis analyseBetaTable(const BetaSettings& settings, const CellText& cell)
{
    BetaAnalysis out;
    const std::optional<LimbCounts> counts = limbCounts(settings.leftCountText, settings.rightCountText);
    if (!counts) {
        out.fault = BetaFault::LimbCount;
        return out;
    }
    const int n = counts->left + counts->right;
    for (int row = 1; row <= n; ++row) {
        if (isBlankCell(cell(row, 1)) || isBlankCell(cell(row, 2))) {
            out.fault = BetaFault::BadData;
            return out;
        }
    }
    const std::optional<Attitude> left = typicalLimb(cell, 1, counts->left);
    const std::optional<Attitude> right = typicalLimb(cell, counts->left + 1, n);
    if (!left || !right) {
        out.fault = BetaFault::BadData;
        return out;
    }
    const std::optional<Attitude> axial = axialPlane(*left, *right, settings.overturned);
    const std::optional<LineAttitude> hinge = foldHinge(*left, *right);
    if (!axial || !hinge) {
        out.fault = BetaFault::BadData;
        return out;
    }
    FoldGeometry& fold = out.fold;
    fold.leftCount = counts->left;
    fold.rightCount = counts->right;
    fold.leftLimb = *left;
    fold.rightLimb = *right;
    fold.apicalAngle = apicalAngle(*left, *right, settings.overturned);
    fold.axialPlane = *axial;
    fold.hinge = *hinge;
    return out;
}

} // namespace kv
