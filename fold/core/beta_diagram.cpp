#include "fold/core/beta_diagram.h"

#include "fold/core/stereo_net.h"
#include "platform/text/number_text.h"

#include <algorithm>

namespace kv {

namespace {

constexpr int kTypicalLimbColour = 0; // cyan
constexpr int kAxialPlaneColour = 1;  // red
constexpr int kBedColour = 2;         // dark brown

constexpr double kTextColumnX = 120;
const Point kTitleAt{-50, 145};

std::string degreesText(double value) { return formatMaskSingle(static_cast<float>(value), "#0.0"); }

std::string attitudeText(double azimuth, double angle)
{
    return degreesText(azimuth) + "∠" + degreesText(angle);
}

// Great circles of the beds in rows 1 to lastRow, as the table's texts read.
Drawing bedCircles(const CellText& cell, int lastRow)
{
    Drawing out;
    for (int row = 1; row <= lastRow; ++row)
        out.append(greatCircle({leadingNumber(cell(row, 1)), leadingNumber(cell(row, 2))}, kBedColour));
    return out;
}

void addLegendLine(Drawing& out, double y, Colour colour, const char* caption)
{
    out.add(LineItem{{120, y}, {140, y}, Stroke{colour, 1, LineStyle::Solid}});
    out.add(textAt({150, y + 5}, caption));
}

} // namespace

BetaTextColumn betaTextColumn(const FoldGeometry& fold)
{
    BetaTextColumn column;
    column.limbs = attitudeText(fold.leftLimb.dipDirection, fold.leftLimb.dip) + "  "
                   + attitudeText(fold.rightLimb.dipDirection, fold.rightLimb.dip);
    column.apicalAngle = degreesText(fold.apicalAngle);
    column.axialPlane = attitudeText(fold.axialPlane.dipDirection, fold.axialPlane.dip);
    column.hinge = attitudeText(fold.hinge.trend, fold.hinge.plunge);
    return column;
}

Drawing betaDiagram(const FoldGeometry& fold, const CellText& cell, bool withLimbPlanes,
                    const std::string& dateText)
{
    Drawing out;
    const BetaTextColumn column = betaTextColumn(fold);
    const struct {
        double y;
        std::string text;
    } texts[] = {
        {95, "The limbs:"},      {80, column.limbs},      {60, "The apical angle:"}, {45, column.apicalAngle},
        {25, "The axial plane:"}, {10, column.axialPlane}, {-10, "The hinge:"},       {-25, column.hinge},
    };
    for (const auto& t : texts)
        out.add(textAt({kTextColumnX, t.y}, t.text));

    const int n = fold.bedCount();
    const bool limbPlanes = withLimbPlanes && n > 2;
    if (limbPlanes)
        out.append(bedCircles(cell, n));
    out.append(greatCircle(fold.leftLimb, kTypicalLimbColour));
    out.append(greatCircle(fold.rightLimb, kTypicalLimbColour));
    out.append(greatCircle(fold.axialPlane, kAxialPlaneColour));

    addLegendLine(out, -60, greatCircleColour(kTypicalLimbColour), "Typical Limbs");
    addLegendLine(out, -80, greatCircleColour(kAxialPlaneColour), "Axial Plane");
    if (limbPlanes) // the legend's grey is not quite the beds' brown, as it always was
        addLegendLine(out, -100, Colour{50, 50, 50}, "Limb Planes");

    out.append(stereoNetFrame());
    out.append(diagramHeading(kBetaTitle, kTitleAt, n, dateText));
    return out;
}

Drawing measuredPlanesDiagram(const CellText& cell, int pointCount, const std::string& dateText)
{
    const int rows = std::clamp(pointCount, 0, kFoldTableLastRow);
    Drawing out = stereoNetFrame();
    out.append(diagramHeading(kBetaTitle, kTitleAt, rows, dateText));
    out.append(bedCircles(cell, rows));
    return out;
}

} // namespace kv
