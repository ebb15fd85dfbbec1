// The line-curvature window ("线条曲率"): a picture of dark lines is turned
// black and white against a grey threshold, thinned one iteration per click
// towards one-pixel lines, and then walked: every line pixel gets a local
// quadratic fit whose curve and curvature circle are drawn on the result plot,
// and the pixels of high curvature are listed in the table. A click on the
// picture shows the listed curvature under the pointer; the right button
// shows the result plot over the picture, and hides it again on the plot.
#pragma once

#include "kit/plot_traits.h"
#include "kit/tool_window.h"
#include "strain/core/curvature_pass.h"
#include "strain/core/pixel_map.h"

#include <vector>

class QAction;

namespace kv {

class DataGrid;
class PictureBox;

class CurvatureWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit CurvatureWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    PictureBox* picture() const { return picture_; }     // Picture1: the picture measured
    PictureBox* strip() const { return strip_; }         // Picture2: progress of a pass
    PictureBox* resultPlot() const { return plot_; }     // Picture3: curves and circles
    DataGrid* grid() const { return grid_; }             // Grid1: the listed pixels
    const PixelMap& pixelMap() const { return map_; }

    // File menu.
    void openPicture();
    void saveTable();
    // Operate menu.
    void binarisePicture();
    void thinLines();
    void computeCurvature();
    void switchView();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void layOut();
    bool fitsPicture(QSize picture) const;
    void pictureClicked(int button, double x, double y);

    PlotTraits traits_;
    DataGrid* grid_ = nullptr;
    PictureBox* picture_ = nullptr;
    PictureBox* plot_ = nullptr;
    PictureBox* strip_ = nullptr;
    QAction* binarise_ = nullptr;  // MOperateBlack
    QAction* thin_ = nullptr;      // MOperateXihua
    QAction* curvature_ = nullptr; // MOperateCurvature

    PixelMap map_;
    std::vector<CurvatureRow> rows_; // what the table lists
    CurvatureOptions options_;       // trace length 24, quadratic fit
};

} // namespace kv
