#include "attitude/ui/main_rose_window.h"

#include "attitude/ui/rose_drawing.h"
#include "frame/attitude_list_file.h"
#include "frame/grid_cell_edit.h"
#include "frame/tool_commands.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture_box.h"

#include <QAction>
#include <QResizeEvent>

namespace kv {

namespace {

constexpr int kTableRows = 500; // row 0 for the titles, 499 records
constexpr int kTableCols = 26;
constexpr int kAttitudeColumnTwips = 2000;

// Room for the 300 x 300 picture with a margin, or for the table's first columns.
constexpr int kDefaultWidthPx = 640;
constexpr int kDefaultHeightPx = 480;

QString badDataMessage() { return QStringLiteral("数据有误，请检查！"); }
QString promptTitle() { return QStringLiteral("提示"); }

} // namespace

MainRoseWindow::MainRoseWindow(QWidget* parent)
    : ToolWindow(QStringLiteral("mainrose"), QStringLiteral("玫瑰花图"), parent)
{
    createPicture();
    createTable();
    createMenus();
    attachGridCellEdit(grid_, CellEditVariant::Plain);
    resize(kDefaultWidthPx, kDefaultHeightPx);
    formLoad();
}

void MainRoseWindow::createPicture()
{
    picture_ = new PictureBox(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
}

// Made after the picture, so it lies over it: when a file is read while the
// picture is shown, the table that comes back is what the user sees.
void MainRoseWindow::createTable()
{
    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("Grid1"));
}

void MainRoseWindow::createMenus()
{
    const QList<MenuEntry> roses = {
        {QStringLiteral("倾向玫瑰花图"), QStringLiteral("MOperateQingxiang")},
        {QStringLiteral("走向玫瑰花图"), QStringLiteral("MOperateZouxiang")},
        {QStringLiteral("倾角玫瑰花图"), QStringLiteral("MOperateQingjiao")},
    };
    const CommonMenus menus = addCommonMenus(this, PlotWindow::MainRose, {picture_, grid_, nullptr}, roses);
    dataBrowse_ = menus.dataBrowse;

    connect(menus.dataFile, &QAction::triggered, this, [this] { readDataFile(); });
    connect(menus.saveData, &QAction::triggered, this, [this] { writeAttitudeListFile(this, grid_); });
    connect(menus.drawing.at(0), &QAction::triggered, this, [this] { operateQingxiangClick(); });
    connect(menus.drawing.at(1), &QAction::triggered, this, [this] { operateZouxiangClick(); });
    connect(menus.drawing.at(2), &QAction::triggered, this, [this] { operateQingjiaoClick(); });
}

// The picture and its scale, the titled and numbered table, and the table view.
void MainRoseWindow::formLoad()
{
    setUpRosePicture(*picture_);

    grid_->setup(kTableRows, kTableCols);
    grid_->setTextMatrix(0, 0, QStringLiteral("序号"));
    grid_->setTextMatrix(0, 1, QStringLiteral("倾向"));
    grid_->setTextMatrix(0, 2, QStringLiteral("倾角"));
    grid_->setColWidthTwips(1, kAttitudeColumnTwips);
    grid_->setColWidthTwips(2, kAttitudeColumnTwips);
    grid_->numberRows();

    setDataBrowse(dataBrowse_, picture_, grid_, true);
    layOut();
}

// The picture centred in the window (off the top-left corner when the window
// is smaller than the picture); the table fills the window.
void MainRoseWindow::layOut()
{
    const QSize inner = size();
    const QSize pic = picture_->size();
    picture_->move((inner.width() - pic.width()) / 2, (inner.height() - pic.height()) / 2);
    grid_->setGeometry(0, 0, inner.width(), inner.height());
}

void MainRoseWindow::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    layOut();
}

// Reading a file shows the table again; the "数据浏览" mark then says so.
void MainRoseWindow::readDataFile()
{
    readAttitudeListFile(this, grid_);
    if (!grid_->isHidden())
        setDataBrowse(dataBrowse_, picture_, grid_, true);
}

JointTableScan MainRoseWindow::scanTable() const
{
    return scanJointTable([this](int row, int column) { return grid_->textMatrix(row, column).toStdString(); });
}

// Shows the picture, reads the table and draws the rose of the records found.
// A bad row or an empty table is reported once; the rose of the records above
// it is drawn all the same.
void MainRoseWindow::showRose(RoseKind kind)
{
    setDataBrowse(dataBrowse_, picture_, grid_, false);

    const JointTableScan scan = scanTable();
    jointdata_ = scan.records;
    jointnum_ = scan.jointCount();
    if (scan.badRecord() || scan.noRecord)
        dialogs().message(this, badDataMessage(), promptTitle());

    const RoseDiagram rose = roseDiagram(kind, jointdata_);
    maxnum_ = rose.maxnum;
    drawRose(*picture_, rose);
}

void MainRoseWindow::operateQingxiangClick() { showRose(RoseKind::DipDirection); }
void MainRoseWindow::operateZouxiangClick() { showRose(RoseKind::Strike); }
void MainRoseWindow::operateQingjiaoClick() { showRose(RoseKind::DipAngle); }

} // namespace kv
