// The two diagrams of the equal-area net windows as drawing items on the
// 400 x 300 net picture (scale (-150,150)-(250,-150)), and the engine object
// that each window owns: its net state, its data type or settings, and the
// commands that the window's menus and mouse call.
//
//   Operate > "方位极点图"  scatterDiagram(cells ...)
//   Operate > "极点等密图"  contourDiagram(cells ...)
//   mouse over the picture  pointerReadout(x, y) -> status-bar panel 3
//
// A diagram command returns the drawing when the table was accepted; the
// window then hides the table, shows the picture, clears it and paints the
// items. A refused table gives the message to show (title "提示") and the cell
// to make current; an empty table gives neither message nor drawing.
#pragma once

#include "attitude/core/contour_tracing.h"
#include "attitude/core/equal_area_net.h"
#include "attitude/core/net_state.h"
#include "attitude/core/petrofabric_settings.h"
#include "attitude/core/pole_preparation.h"
#include "platform/draw/drawing.h"

#include <optional>
#include <string>

namespace kv {

struct NetDiagram {
    PrepareResult preparation;
    std::optional<Drawing> drawing; // set when the table was accepted
    std::string message;            // the bad-record message, empty otherwise
};

enum class NetWindow { PreferredOrientation, Petrofabric };

// The level at which a window collects maxima, 0 for none: the preferred-
// orientation window at Int(levels * 0.618) (level 1 of 2, 2 of 4, 3 of 6, none
// of 1), the petrofabric window at level 4 (only with 4 or 6 levels).
int maximaLevel(NetWindow window, int levelCount);

// The legend line: one entry per level, level k >= 2 as (k * step) / N, level
// 1 as 1.2 / N, each "0.0%"; joined by " - " (preferred orientation) or
// "  -  " (petrofabric).
std::string contourLegend(NetWindow window, const ContourLevels& levels, int pointCount);

// The preferred-orientation window's engine ("产状优势方位").
class PreferredOrientationEngine {
public:
    // "P" planes (面理), "L" lines (线理); empty until an option button is
    // clicked or a file is read, and then taken as planes.
    std::string dataType;
    NetState state;

    Projection projection() const { return preferredOrientationProjection(dataType); }
    // date: today's date in the system's short form, printed after "Date:".
    NetDiagram scatterDiagram(const CellText& cells, const std::string& date);
    NetDiagram contourDiagram(const CellText& cells, const std::string& date);
    std::string pointerReadout(double x, double y) const;
};

// The petrofabric window's engine ("岩组").
class PetrofabricEngine {
public:
    PetrofabricSettings settings; // the defaults when the window opens
    NetState state;

    Projection projection() const { return petrofabricProjection(settings.dataType); }
    NetDiagram scatterDiagram(const CellText& cells);
    NetDiagram contourDiagram(const CellText& cells);
    std::string pointerReadout(double x, double y) const;
};

} // namespace kv
