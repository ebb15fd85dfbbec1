#include "attitude/ui/joint_rose_window.h"

#include "attitude/core/rose_table.h"
#include "kit/attitude_list_file.h"
#include "kit/grid_cell_edit.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture_box.h"

namespace kv {

namespace {

constexpr int kTableRows = 500; // row 0 for the titles, 499 records
constexpr int kTableCols = 26;
constexpr int kAttitudeColumnTwips = 2000;

// Room for the 300 x 300 picture with a margin, or for the table's first columns.
constexpr int kDefaultWidthPx = 640;
constexpr int kDefaultHeightPx = 480;

} // namespace

JointRoseWindow::JointRoseWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    const RosePicture& rp = kRosePicture;
    setUpPicture(rp.pixels, rp.pixels, {rp.scaleX1, rp.scaleY1, rp.scaleX2, rp.scaleY2});
    setUpTable({QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角")}, kTableRows, kTableCols,
               kAttitudeColumnTwips);
    addMenus({
        {QStringLiteral("倾向玫瑰花图"), QStringLiteral("MOperateQingxiang"), [this] { showRose(RoseKind::DipDirection); }},
        {QStringLiteral("走向玫瑰花图"), QStringLiteral("MOperateZouxiang"), [this] { showRose(RoseKind::Strike); }},
        {QStringLiteral("倾角玫瑰花图"), QStringLiteral("MOperateQingjiao"), [this] { showRose(RoseKind::DipAngle); }},
    });
    attachGridCellEdit(grid(), CellEditVariant::Plain);
    setSignedPictureOffset(true);
    resize(kDefaultWidthPx, kDefaultHeightPx);
    showTableView();
    layOut();
}

// Reading a file brings the table to the front and the "数据浏览" mark says
// so. The picture keeps its visible flag, so "打印图像" still prints the last rose.
void JointRoseWindow::readDataFile()
{
    readAttitudeListFile(this, grid());
    if (!grid()->isHidden()) {
        menuItem(QStringLiteral("MOperatepicgrid"))->setChecked(true);
        grid()->raise();
    }
}

void JointRoseWindow::saveDataFile()
{
    writeAttitudeListFile(this, grid());
}

// Shows the picture, reads the table and draws the rose of the records found.
// A bad row or an empty table is reported once; the rose of the records above
// it is drawn all the same.
void JointRoseWindow::showRose(RoseKind kind)
{
    showPictureView();
    const JointTableScan scan = scanJointTable(cells());
    jointdata_ = scan.records;
    jointnum_ = scan.jointCount();
    if (scan.badRecord() || scan.noRecord)
        dialogs().message(this, QStringLiteral("数据有误，请检查！"), QStringLiteral("提示"));

    const RoseDiagram rose = roseDiagram(kind, jointdata_);
    maxnum_ = rose.maxnum;
    showDiagram(roseDrawing(rose));
}

} // namespace kv
