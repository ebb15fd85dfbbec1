// Point preparation of the net windows: the data table checked, every record
// projected into the point table, and the rim copies appended that let a
// point near the rim count at the opposite rim too.
#pragma once

#include "attitude/core/equal_area_net.h"
#include "attitude/core/net_state.h"
#include "attitude/core/petrofabric_settings.h"

namespace kv {

enum class PrepareStatus {
    Accepted,  // at least one record and no bad record
    NoRecord,  // column 1 of row 1 empty: no message, nothing drawn
    BadRecord, // the window shows its bad-record message, nothing drawn
};

struct PrepareResult {
    PrepareStatus status = PrepareStatus::NoRecord;
    // The cell the window makes current on a bad record: the empty cell of the
    // record, or the cell whose number no single-precision value can hold.
    int badRow = 0;
    int badColumn = 0;
    bool accepted() const { return status == PrepareStatus::Accepted; }
};

// Bad-record messages (title "提示", OK button).
inline constexpr const char* kPreferredOrientationBadRecordMessage = "数据有误，请检查！";
inline constexpr const char* kPetrofabricBadRecordMessage = "产状数据有错，请检查！";

// The preferred-orientation table: rows 1.. up to the first row whose column 1
// is empty (a blank is not empty), at most 499. A row with an empty column 2,
// or a number beyond single precision, is a bad record. A bad record changes
// nothing; no record sets pointCount to 0 and leaves the points as they were.
PrepareResult prepareData(NetState& state, const CellText& cells, Projection rule);

// The petrofabric table: column 3 (ring letter) must be filled too; the stage
// readings are corrected with the settings before the projection, and
// grainCount becomes the number of records (0 for none; a bad record leaves it).
PrepareResult prepareData(NetState& state, const CellText& cells, PetrofabricSettings& settings);

// The universal-stage correction of one reading (ring letter trimmed and
// lower-cased by the caller): azimuth 10 with "e" and no stage offset gives
// 260, with "w" 80. Returns (azimuth, angle) ready for projection.
NetAttitude correctStageReading(float azimuth, float angle, const std::string& ringLetter,
                                const PetrofabricSettings& settings);

// The rim copy of a point farther than 90 from the centre: on the opposite
// side at distance 200 - rho. Empty for rho <= 90.
std::optional<NetPoint> rimCopy(NetPoint p);

} // namespace kv
