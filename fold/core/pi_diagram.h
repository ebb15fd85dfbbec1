// The pi diagram of a fold: the poles of the measured beds on the
// stereographic net, the great circle that best holds them (the pi-circle) and
// its pole, the fold axis, marked and printed as "The hinge:".
#pragma once

#include "fold/core/fold_table.h"
#include "kit/core/attitude.h"
#include "platform/draw/drawing.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kv {

inline constexpr const char* kPiTitle = "THE PAI DIAGRAM OF FOLD";

enum class PiFault {
    None,
    NoBeds, // row 1 is empty: nothing happens, no message
    BadRow, // a dip direction without a dip, or a number beyond single precision
};

// The message the window shows (title "提示"); empty for None and NoBeds.
std::string piFaultMessage(PiFault fault);

struct PiAnalysis {
    PiFault fault = PiFault::None;
    std::vector<Attitude> beds;        // rows 1 to the first empty dip direction
    std::optional<LineAttitude> hinge; // empty when the poles define no plane
    bool ok() const { return fault == PiFault::None; }
    int pointCount() const { return static_cast<int>(beds.size()); }
};

// Reads rows 1 onwards up to the first row whose dip direction is empty (499
// rows at most) and fits the fold axis.
PiAnalysis analysePiTable(const CellText& cell);

// Pole of a bed (lower hemisphere): trend dip direction + 180 (less 360 above
// 360, so 180 gives 360), plunge 90 - dip.
LineAttitude poleOfBed(const Attitude& bed);

// Fold axis of a cylindrical fold: the direction closest to normal to every
// pole (the eigenvector of the smallest eigenvalue of the poles' orientation
// tensor), pointing downwards; a horizontal axis trends in (0, 180]. Empty
// when the poles do not define a plane (one bed, or all poles parallel).
std::optional<LineAttitude> piFoldAxis(const std::vector<Attitude>& beds);

// The pi-circle: the plane whose pole is the axis.
Attitude piCircleOfAxis(const LineAttitude& axis);

// The whole diagram; dateText is the date in the system's short form.
Drawing piDiagram(const PiAnalysis& analysis, const std::string& dateText);

// ---- The data file: plain attitude records

// Why a file could not be read whole: the window shows "数据文件出错！" (title
// "提示"); the records before the fault are in the table all the same.
enum class PiFileReadFault {
    None,
    BadRecord,      // a record cut short or a number too large to hold
    TooManyRecords, // more records than the table's 499 rows
};

struct PiFileRead {
    PiFileReadFault fault = PiFileReadFault::None;
    std::vector<std::vector<std::string>> rows; // cell texts of rows 1 onwards, two a row, up to any fault
    bool ok() const { return fault == PiFileReadFault::None; }
};

PiFileRead parsePiFile(const std::string& text);

// The record lines of the table, or empty when a row has an empty dip or a
// number a record can't hold: the window then shows "数据有误，请检查！" and
// writes nothing.
std::optional<std::vector<std::string>> piFileLines(const CellText& cell);

} // namespace kv
