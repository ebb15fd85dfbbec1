// The grid-method window ("网格法"): a table of grid points before and after
// deformation, filled from a pair of grid point files, by typing, or by
// clicking the points on a loaded picture (grid row 1 at the top, each row
// from left to right); "网格法计算" writes the strain field of the grid as four
// x, y, value files for a contouring package.
#pragma once

#include "kit/plot_window.h"
#include "strain/core/grid_strain.h"

#include <QImage>

class QAction;

namespace kv {

class GridStrainWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit GridStrainWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // The names the dialogs last gave, and whether they were confirmed.
    const QString& initGridFile() const { return initGridFile_; }
    const QString& deformedGridFile() const { return deformedGridFile_; }
    const GridStrainFileNames& resultFiles() const { return resultFiles_; }
    bool gridDataOK() const { return gridDataOK_; }
    bool outputOK() const { return outputOK_; }
    bool initialCoords() const { return initialCoords_; }
    // Points picked in the current run on the grid before and after deformation.
    int pointsPickedBefore() const { return pointsPickedBefore_; }
    int pointsPickedAfter() const { return pointsPickedAfter_; }

    // File > "打开数据" and "保存数据": the pair of grid point files.
    void readDataFile() override;
    void saveDataFile() override;
    // File > "打开图像".
    void openPicture();
    // Operate > "网格法计算".
    void computeStrain();

private:
    enum class Picking { None, Before, After };

    void buildMenus();
    void setPicking(Picking mode, bool on);
    Picking picking() const;
    void pick(int button, double x, double y);
    void showPointer(double x, double y);
    void switchView();
    void enablePictureItems(bool on);

    QAction* view_ = nullptr;    // MOperateView
    QAction* before_ = nullptr;  // MOperateData0
    QAction* after_ = nullptr;   // MOperateData1

    QString initGridFile_;
    QString deformedGridFile_;
    GridStrainFileNames resultFiles_{"", "", "", ""};
    bool gridDataOK_ = false;
    bool outputOK_ = false;
    bool initialCoords_ = true;
    int pointsPickedBefore_ = 0;
    int pointsPickedAfter_ = 0;
    QImage loadedPicture_; // the picture as loaded, without the picked points
};

} // namespace kv
