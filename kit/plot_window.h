// Base of the plotting tool windows: a picture box `Picture1` for the diagram,
// a data table `Grid1`, an optional strip `Frame1` above the table, and the
// shared menus. A window adds its table columns, its drawing commands and its
// files; the base lays the parts out, switches the views and runs the shared
// commands from the window's catalogue row.
//
//   class MyTool : public PlotWindow {
//   public:
//       explicit MyTool(const ToolEntry& e) : PlotWindow(e) {
//           setUpTable({"序号", "倾向", "倾角"}, 500, 26, 2000);
//           setUpPicture(400, 300, {-150, 150, 250, -150});
//           addMenus({{"极点图", "MOperatePole", [this] { drawPoles(); }}});
//           showTableView();
//       }
//       void readDataFile() override;
//       void saveDataFile() override;
//   };
#pragma once

#include "platform/draw/drawing.h"
#include "kit/core/table_cells.h"
#include "kit/plot_menus.h"
#include "kit/plot_traits.h"
#include "kit/tool_window.h"

#include <QStringList>

class QFrame;

namespace kv {

// Where a picture goes in a window's client area: centred on an axis where it
// fits; at 0 on an axis where it is larger, so that its top-left part stays in
// view (half the difference, taken as a distance, would push it off the far side).
QPoint pictureCorner(const QSize& client, const QSize& picture);

class DataGrid;
class PictureBox;

// A picture's user scale: (x1, y1) is the top-left corner, (x2, y2) the bottom-right.
struct PictureScale {
    double x1 = 0, y1 = 0, x2 = 1, y2 = 1;
};

class PlotWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit PlotWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    PictureBox* picture() const { return picture_; } // Picture1
    DataGrid* grid() const { return grid_; }         // Grid1
    QFrame* strip() const { return strip_; }         // Frame1 above the table; null without one
    const PlotTraits& traits() const { return traits_; }

    // The table's cells for the computation.
    CellText cells() const;

    // The data-file item and "保存数据": each window reads and writes its own file.
    virtual void readDataFile() = 0;
    virtual void saveDataFile() = 0;

    // The table view and the picture view, as the window's view items switch them.
    void showTableView();
    void showPictureView();
    // Shows the picture, clears it and draws the diagram on it.
    void showDiagram(const Drawing& diagram);
    // The items of the last diagram shown: tests read its texts instead of pixels.
    const Drawing& shownDiagram() const { return shown_; }

protected:
    // Row 0 gets the titles (the first is column 0's, "序号"), column 0 the row
    // numbers; columns 1..titles-1 the given width in twips.
    void setUpTable(const QStringList& titles, int rows, int cols, int columnWidthTwips);
    void setUpPicture(int widthPx, int heightPx, const PictureScale& scale);
    // The stereonet tools' 400 x 300 picture and scale (kit/core/net_canvas.h).
    void setUpNetPicture();
    // The strip above the table (Frame1), of a fixed height; call before addMenus.
    QFrame* addStrip(int heightPx);
    // Builds the shared menus with the window's drawing commands at the top of
    // "操作(&O)"; pictureFrame is the frame that "显示表格" hides.
    void addMenus(const QList<MenuCommand>& drawingCommands, QWidget* pictureFrame = nullptr);

    // Whether the picture's corner may go negative when the window is smaller
    // than the picture (the rose window) or stays in view (pictureCorner).
    void setSignedPictureOffset(bool on) { signedOffset_ = on; }
    // Picture centred in the whole inner area (pictureCorner), strip across the
    // top, table below it.
    virtual void layOut();
    void resizeEvent(QResizeEvent* event) override;

private:
    PlotTraits traits_;
    PictureBox* picture_ = nullptr;
    DataGrid* grid_ = nullptr;
    QFrame* strip_ = nullptr;
    bool signedOffset_ = false;
    Drawing shown_;
};

} // namespace kv
