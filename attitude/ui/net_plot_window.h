// What the two equal-area net windows (preferred orientation and petrofabric)
// share: the 400 x 300 net picture, the 499-record attitude table, the
// attitude under the mouse pointer in status-bar panel 3, and the way a
// diagram command's result reaches the screen. Each window owns its engine;
// nothing of it is shared between the two.
#pragma once

#include "attitude/core/net_diagrams.h"
#include "kit/plot_window.h"

#include <string>
#include <vector>

namespace kv {

class NetPlotWindow : public PlotWindow {
    Q_OBJECT
protected:
    // The table gets the titles (column 0's "序号" first), 500 rows and 26
    // columns; the window opens maximized on its table.
    NetPlotWindow(const ToolEntry& entry, const QStringList& titles, QWidget* parent = nullptr);

    // The text for panel 3 with the pointer at (x, y) in plot units.
    virtual std::string pointerText(double x, double y) const = 0;

    // A diagram command's result: the drawing on the picture, or the bad
    // record's message with its cell made current (table still shown, picture
    // untouched); an empty table changes nothing.
    void showNetDiagram(const NetDiagram& diagram);

    // Empties columns 1..columns of every data row and puts the records read
    // into rows 1 onwards, the table hidden and the pointer busy meanwhile.
    void fillRecords(const std::vector<std::vector<std::string>>& records, int columns);

    // A message box with the title "提示"; nothing for an empty text.
    void tell(const std::string& message);

    // The file name as the file functions of the core take it.
    static std::string localPath(const QString& path);
};

} // namespace kv
