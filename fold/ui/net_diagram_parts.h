// What the two fold-diagram windows share beyond the plotting-window base: the
// stereographic picture, the date their headings print, the reading of a data
// file that must parse whole before the table changes, and the loading of
// parsed attitude rows into the table.
#pragma once

#include "kit/plot_window.h"

#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kv {

class DataGrid;

// The text column has 130 units (pixels) beside the net: the limbs' line of
// two attitudes only fits in a font of this size.
inline constexpr double kNetFontPoints = 8;

// Today's date in the system's short form.
std::string diagramDateText();

// Message and title of a data file that can't be read.
QString dataFileFaultMessage(); // "数据文件出错！"
QString promptTitle();          // "提示"

// Reads the file at path while the table is hidden and the pointer is the
// hourglass, and hands its text to apply, which parses it, fills the table
// with what it read and says whether the whole file was sound. False when the
// file can't be read as text (the table as it was, apply not called) or apply
// says it was not; the caller then says so.
bool readDataFileInto(DataGrid* grid, const QString& path, const std::function<bool(const std::string&)>& apply);

} // namespace kv
