#include "attitude/core/pole_preparation.h"

#include "platform/text/number_text.h"

#include <cmath>
#include <optional>

namespace kv {

namespace {

struct ScannedRecord {
    float azimuth = 0;
    float angle = 0;
    std::string ring; // petrofabric only: column 3 trimmed, lower case
};

struct TableScan {
    PrepareResult result;
    std::vector<ScannedRecord> records;
};

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Blanks removed at both ends, then lower case: " S " counts as "s".
std::string trimmedLower(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return lowerAscii(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Rows 1.. until column 1 is empty. Every cell is read once, in the order the
// window's scan makes them current: column 1, 2 (and 3) of each row.
TableScan scanTable(const CellText& cells, bool withRing)
{
    TableScan scan;
    const int lastColumn = withRing ? 3 : 2;
    for (int row = 1; row <= kNetTableLastRow; ++row) {
        const std::string direction = cells(row, 1);
        if (direction.empty())
            break;
        std::string texts[3] = {direction, std::string(), std::string()};
        for (int column = 2; column <= lastColumn; ++column) {
            texts[column - 1] = cells(row, column);
            if (texts[column - 1].empty()) {
                scan.result = {PrepareStatus::BadRecord, row, column};
                return scan;
            }
        }
        ScannedRecord record;
        const std::optional<float> azimuth = toSinglePrecision(leadingNumber(texts[0]));
        const std::optional<float> angle = toSinglePrecision(leadingNumber(texts[1]));
        if (!azimuth || !angle) {
            scan.result = {PrepareStatus::BadRecord, row, azimuth ? 2 : 1};
            return scan;
        }
        record.azimuth = *azimuth;
        record.angle = *angle;
        if (withRing)
            record.ring = trimmedLower(texts[2]);
        scan.records.push_back(std::move(record));
    }
    scan.result.status = scan.records.empty() ? PrepareStatus::NoRecord : PrepareStatus::Accepted;
    return scan;
}

void projectRecords(NetState& state, const std::vector<ScannedRecord>& records, Projection rule,
                    const PetrofabricSettings* stage)
{
    const int n = static_cast<int>(records.size());
    state.pointCount = n;
    state.poleXY.assign(records.size(), NetPoint{});
    std::vector<NetPoint> copies;
    for (int i = 0; i < n; ++i) {
        const ScannedRecord& r = records[static_cast<std::size_t>(i)];
        NetAttitude a{r.azimuth, r.angle};
        if (stage)
            a = correctStageReading(r.azimuth, r.angle, r.ring, *stage);
        const NetPoint p = netPointOfAttitude(state.net, rule, a.angle, a.azimuth);
        state.poleXY[static_cast<std::size_t>(i)] = p;
        if (const std::optional<NetPoint> copy = rimCopy(p))
            copies.push_back(*copy);
    }
    state.poleXY.insert(state.poleXY.end(), copies.begin(), copies.end());
    state.plotCount = static_cast<int>(state.poleXY.size());
}

PrepareResult prepare(NetState& state, const TableScan& scan, Projection rule, const PetrofabricSettings* stage)
{
    if (scan.result.status == PrepareStatus::NoRecord)
        state.pointCount = 0;
    if (scan.result.status == PrepareStatus::Accepted)
        projectRecords(state, scan.records, rule, stage);
    return scan.result;
}

float single(double value) { return toSinglePrecision(value).value_or(0.0f); }

} // namespace

std::optional<NetPoint> rimCopy(NetPoint p)
{
    const float rho = single(std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y));
    if (!(rho > 90))
        return std::nullopt;
    const double factor = 1 - 200.0 / rho;
    return NetPoint{single(factor * p.x), single(factor * p.y)};
}

NetAttitude correctStageReading(float azimuth, float angle, const std::string& ringLetter,
                                const PetrofabricSettings& settings)
{
    if (ringLetter == "s" || ringLetter == "e")
        azimuth = 270 - azimuth;
    else
        azimuth = 90 - azimuth;
    if (ringLetter == "s" || ringLetter == "n")
        angle = 90 - angle;
    azimuth = azimuth - (settings.stageArrowDir - settings.arrowAzimuth);
    if (azimuth >= 360)
        azimuth = azimuth - 360; // once; a negative azimuth stays as it is
    if (lowerAscii(settings.dataType) == "c")
        angle = 90 - angle;
    return {azimuth, angle};
}

PrepareResult prepareData(NetState& state, const CellText& cells, Projection rule)
{
    return prepare(state, scanTable(cells, false), rule, nullptr);
}

PrepareResult prepareData(NetState& state, const CellText& cells, PetrofabricSettings& settings)
{
    const TableScan scan = scanTable(cells, true);
    const PrepareResult result = prepare(state, scan, petrofabricProjection(settings.dataType), &settings);
    if (result.status != PrepareStatus::BadRecord)
        settings.grainCount = static_cast<std::int16_t>(state.pointCount);
    return result;
}

} // namespace kv
