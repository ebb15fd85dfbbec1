#include "fold/core/pi_diagram.h"

#include "fold/core/orientation_tensor.h"
#include "fold/core/stereo_net.h"
#include "kit/core/attitude_record.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

// Relative to the number of poles, a middle eigenvalue below this means the
// poles lie along one direction and leave the plane through them undefined.
constexpr double kNoPlane = 1e-6;

// An axis whose downward component is below this is taken as horizontal.
constexpr double kHorizontal = 1e-6;

constexpr int kCircleColour = 1; // red

std::string degreesText(double value) { return formatMaskSingle(static_cast<float>(value), "#0.0"); }

void addHingeCross(Drawing& out, Point at)
{
    const Stroke red{colours::red, 1, LineStyle::Solid};
    out.add(LineItem{{at.x - 3, at.y + 3}, {at.x + 3, at.y - 3}, red});
    out.add(LineItem{{at.x - 3, at.y - 3}, {at.x + 3, at.y + 3}, red});
}

} // namespace

std::string piFaultMessage(PiFault fault)
{
    return fault == PiFault::BadRow ? "数据有错，请检查！" : std::string();
}

LineAttitude poleOfBed(const Attitude& bed)
{
    double trend = bed.dipDirection + 180;
    if (trend > 360)
        trend -= 360;
    return {trend, 90 - bed.dip};
}

std::optional<LineAttitude> piFoldAxis(const std::vector<Attitude>& beds)
{
    std::vector<Vector3> poles;
    poles.reserve(beds.size());
    for (const Attitude& bed : beds)
        poles.push_back(lineVector(poleOfBed(bed)));
    const EigenSystem eigen = symmetricEigenSystem(orientationTensor(poles));
    if (!(eigen.values[1] >= kNoPlane * static_cast<double>(beds.size())))
        return std::nullopt;
    Vector3 axis = eigen.vectors[0];
    if (axis.z < 0)
        axis = -1.0 * axis;
    std::optional<LineAttitude> line = vector2attitude(axis);
    if (line && std::fabs(axis.z) < kHorizontal && line->trend > 180)
        line->trend = toSingle(line->trend - 180); // either end would do; keep one
    return line;
}

Attitude piCircleOfAxis(const LineAttitude& axis)
{
    return {std::fmod(axis.trend + 180, 360.0), 90 - axis.plunge};
}

PiAnalysis analysePiTable(const CellText& cell)
{
    PiAnalysis out;
    for (int row = 1; row <= kFoldTableLastRow; ++row) {
        const std::string dipDirection = cell(row, 1);
        if (isBlankCell(dipDirection))
            break;
        const std::string dip = cell(row, 2);
        const std::optional<float> a = toSinglePrecision(leadingNumber(dipDirection));
        const std::optional<float> d = toSinglePrecision(leadingNumber(dip));
        if (isBlankCell(dip) || !a || !d) {
            out.fault = PiFault::BadRow;
            out.beds.clear();
            return out;
        }
        out.beds.push_back({*a, *d});
    }
    if (out.beds.empty()) {
        out.fault = PiFault::NoBeds;
        return out;
    }
    out.hinge = piFoldAxis(out.beds);
    return out;
}

Drawing piDiagram(const PiAnalysis& analysis, const std::string& dateText)
{
    Drawing out;
    if (analysis.hinge) {
        out.append(greatCircle(piCircleOfAxis(*analysis.hinge), kCircleColour));
        addHingeCross(out, stereo2xy(*analysis.hinge));
    }
    // The circle is fitted through the poles: drawn after it, they stay in sight.
    for (const Attitude& bed : analysis.beds)
        out.add(DotItem{stereo2xy(poleOfBed(bed)), colours::black, 2});
    out.append(stereoNetFrame());
    out.add(textAt({120, 90}, "The hinge:"));
    if (analysis.hinge)
        out.add(textAt({120, 75}, degreesText(analysis.hinge->trend) + "∠" + degreesText(analysis.hinge->plunge)));
    out.append(diagramHeading(kPiTitle, {-60, 145}, analysis.pointCount(), dateText));
    return out;
}

PiFileRead parsePiFile(const std::string& text)
{
    PiFileRead out;
    ItemReader reader(text);
    RecordsRead read = readRecords(reader, 2, kFoldTableLastRow);
    if (read.fault != RecordReadFault::None)
        out.fault = read.fault == RecordReadFault::TooManyRecords ? PiFileReadFault::TooManyRecords
                                                                  : PiFileReadFault::BadRecord;
    // The records before a fault are kept as well.
    for (std::vector<std::string>& record : read.records)
        out.rows.push_back({std::move(record[0]), std::move(record[1])});
    return out;
}

std::optional<std::vector<std::string>> piFileLines(const CellText& cell)
{
    return attitudeTableLines(cell, kFoldTableLastRow);
}

} // namespace kv
