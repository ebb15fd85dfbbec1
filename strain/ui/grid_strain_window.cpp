#include "strain/ui/grid_strain_window.h"

#include "kit/grid_cell_edit.h"
#include "kit/plot_commands.h"
#include "kit/plot_menus.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"
#include "strain/core/grid_data_file.h"
#include "strain/ui/grid_data_dialogs.h"
#include "strain/ui/tool_picture.h"

#include <QAction>
#include <QMenu>
#include <cmath>

namespace kv {

namespace {

constexpr int kTableRows = kGridTableLastRow + 1; // row 0 holds the titles
constexpr int kTableCols = 50;
constexpr int kCoordinateColumnTwips = 1300;
constexpr int kCountColumnTwips = 1200;
constexpr int kRowsColumn = 5;
constexpr int kColsColumn = 6;

constexpr int kDefaultWidthPx = 640;
constexpr int kDefaultHeightPx = 480;

const QColor kPickedPoint(255, 0, 0);

// Captions of the view switch: each names the view that the next click shows.
QString showPictureCaption() { return QStringLiteral("显示图片"); }
QString showTableCaption() { return QStringLiteral("网格浏览"); }

QString latin(const char* name) { return QString::fromLatin1(name); }

void showNotice(QWidget* window, const Notice& notice)
{
    dialogs().message(window, QString::fromStdString(notice.text), QString::fromStdString(notice.title),
                      notice.icon == NoticeIcon::Exclamation ? MessageIcon::Exclamation : MessageIcon::None);
}

// A readout number: a blank in place of the sign when it is not negative.
QString signedText(int value) { return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value); }

} // namespace

GridStrainWindow::GridStrainWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpTable({QString(), QStringLiteral("变形前X坐标"), QStringLiteral("变形前Y坐标"), QStringLiteral("变形后X坐标"),
                QStringLiteral("变形后Y坐标"), QStringLiteral("数据行数"), QStringLiteral("数据列数")},
               kTableRows, kTableCols, kCoordinateColumnTwips);
    grid()->setColWidthTwips(kRowsColumn, kCountColumnTwips);
    grid()->setColWidthTwips(kColsColumn, kCountColumnTwips);
    attachGridCellEdit(grid(), CellEditVariant::Plain);

    buildMenus();
    connect(picture(), &PictureBox::mouseUp, this, &GridStrainWindow::pick);
    connect(picture(), &PictureBox::mouseMove, this,
            [this](int, double x, double y) { showPointer(x, y); });

    resize(kDefaultWidthPx, kDefaultHeightPx);
    showTableView();
    layOut();
}

void GridStrainWindow::buildMenus()
{
    const PlotMenuNames& n = traits().names;

    PlotFileCommands files;
    files.readDataFile = [this] { readDataFile(); };
    files.saveData = [this] { saveDataFile(); };
    files.openPicture =
        MenuCommand{QStringLiteral("打开图像"), QStringLiteral("MFileOpenPicture"), [this] { openPicture(); }};
    addPlotFileMenu(this, traits(), picture(), files);

    QMenu* operate = addMenu(QStringLiteral("操作(&O)"), latin(n.operateMenu));
    before_ = addCommand(operate, QStringLiteral("鼠标点取变形前坐标"), "MOperateData0",
                      [this](bool on) { setPicking(Picking::Before, on); });
    after_ = addCommand(operate, QStringLiteral("鼠标点取变形后坐标"), "MOperateData1",
                     [this](bool on) { setPicking(Picking::After, on); });
    for (QAction* mode : {before_, after_})
        mode->setCheckable(true);
    addItem(operate, QStringLiteral("-"), QStringLiteral("MOperateSpaceBar1"));
    addCommand(operate, QStringLiteral("网格法计算"), "MOperateCompute", [this] { computeStrain(); });
    addItem(operate, QStringLiteral("-"), QStringLiteral("MOperateSpaceBar2"));
    view_ = addCommand(operate, QStringLiteral("查看图像"), "MOperateView", [this] { switchView(); });

    addHelpMenu(this, traits(), QStringLiteral("MHelpSpacebar1"));

    before_->setEnabled(false);
    after_->setEnabled(false);
    resetPanel3OnClosing(this, traits());
}

// ---- grid point files -------------------------------------------------------

void GridStrainWindow::readDataFile()
{
    initGridFile_.clear();
    deformedGridFile_.clear();
    GridDataFilesDialog dialog(this, QStringLiteral("打开网格数据"), GridDataFilesDialog::Purpose::Read);
    gridDataOK_ = dialogs().exec(&dialog) == QDialog::Accepted;
    if (!gridDataOK_)
        return;
    initGridFile_ = dialog.initialFile();
    deformedGridFile_ = dialog.deformedFile();

    // Once the headers agree the table takes the points read, those before a
    // fault included; the picture commands change only with a whole pair.
    GridDataRead read;
    {
        BusyCursor busy;
        read = readGridDataPair(initGridFile_.toStdString(), deformedGridFile_.toStdString());
        if (read.headerAccepted) {
            grid()->hide();
            grid()->clearColumns(1, kColsColumn);
            grid()->setTextMatrix(1, kRowsColumn, QString::fromStdString(gridCountText(read.data.rows)));
            grid()->setTextMatrix(1, kColsColumn, QString::fromStdString(gridCountText(read.data.cols)));
            int row = 1;
            for (const GridPointPair& p : read.data.points) {
                int column = 1;
                for (float value : {p.x0, p.y0, p.x1, p.y1})
                    grid()->setTextMatrix(row, column++, QString::fromStdString(gridCoordinateText(value)));
                ++row;
            }
            if (!read.refusal)
                enablePictureItems(false);
            picture()->hide();
            grid()->show();
            view_->setText(showPictureCaption());
        }
    }
    if (read.refusal)
        showNotice(this, gridDataNotice(*read.refusal));
}

void GridStrainWindow::saveDataFile()
{
    initGridFile_.clear();
    deformedGridFile_.clear();
    GridDataFilesDialog dialog(this, QStringLiteral("保存网格数据"), GridDataFilesDialog::Purpose::Write);
    gridDataOK_ = dialogs().exec(&dialog) == QDialog::Accepted;
    if (!gridDataOK_)
        return;
    initGridFile_ = dialog.initialFile();
    deformedGridFile_ = dialog.deformedFile();

    // The whole grid is checked before either file is touched, so a pair
    // that could not be read back is never written.
    const auto table = gridDataFromTable(cells());
    if (const auto* refusal = std::get_if<GridDataRefusal>(&table)) {
        showNotice(this, gridDataNotice(*refusal));
        return;
    }
    if (const auto refusal =
            writeGridDataFiles(initGridFile_.toStdString(), deformedGridFile_.toStdString(), std::get<GridData>(table)))
        showNotice(this, gridDataNotice(*refusal));
}

// ---- picture and picking ------------------------------------------------------

void GridStrainWindow::openPicture()
{
    // The points of earlier picking go, even when no other picture is chosen.
    if (!loadedPicture_.isNull())
        picture()->setPicture(loadedPicture_);
    if (!loadToolPicture(this, picture()))
        return;
    loadedPicture_ = picture()->image();
    layOut();
    showPictureView();
    enablePictureItems(true);
    view_->setText(showTableCaption());
}

void GridStrainWindow::enablePictureItems(bool on)
{
    view_->setEnabled(on);
    before_->setEnabled(on);
    after_->setEnabled(on);
}

// The click has already turned the item's mark; turning a mode on starts its
// run afresh and turns the other mode off.
void GridStrainWindow::setPicking(Picking mode, bool on)
{
    if (!on)
        return;
    if (mode == Picking::Before) {
        after_->setChecked(false);
        pointsPickedBefore_ = 0;
        grid()->setTextMatrix(1, kRowsColumn, QString());
        grid()->setTextMatrix(1, kColsColumn, QString());
        grid()->clearColumns(1, 2);
    } else {
        before_->setChecked(false);
        pointsPickedAfter_ = 0;
        grid()->clearColumns(3, 4);
    }
}

GridStrainWindow::Picking GridStrainWindow::picking() const
{
    if (before_->isChecked() == after_->isChecked())
        return Picking::None;
    return before_->isChecked() ? Picking::Before : Picking::After;
}

// The table holds y measured upwards from the picture's bottom edge.
void GridStrainWindow::pick(int button, double x, double y)
{
    const Picking mode = picking();
    if (button != 1 || mode == Picking::None)
        return;
    int& count = mode == Picking::Before ? pointsPickedBefore_ : pointsPickedAfter_;
    if (count >= kGridTableLastRow) {
        dialogs().message(this, QStringLiteral("表格已有499个点，不能再点取！"), QStringLiteral("提示"));
        return;
    }
    const int px = static_cast<int>(std::floor(x));
    const int py = static_cast<int>(std::floor(y));
    const int height = picture()->pictureSize().height();
    ++count;
    const int column = mode == Picking::Before ? 1 : 3;
    grid()->setTextMatrix(count, column, QString::number(px));
    grid()->setTextMatrix(count, column + 1, QString::number(height - py));
    picture()->pset(px, py, kPickedPoint);
}

void GridStrainWindow::showPointer(double x, double y)
{
    if (!before_->isChecked() && !after_->isChecked()) {
        picture()->unsetCursor();
        return;
    }
    picture()->setCursor(Qt::CrossCursor);
    const int height = picture()->pictureSize().height();
    const int px = static_cast<int>(std::floor(x));
    const int py = static_cast<int>(std::floor(y));
    if (FrameServices* frame = mainFrame())
        frame->setPanel3Text(QStringLiteral("X:") + signedText(px) + QStringLiteral("  Y:") + signedText(height - py));
}

void GridStrainWindow::switchView()
{
    if (view_->text() != showPictureCaption()) {
        view_->setText(showPictureCaption());
        showTableView();
    } else {
        view_->setText(showTableCaption());
        showPictureView();
    }
}

// ---- the strain field ---------------------------------------------------------

void GridStrainWindow::computeStrain()
{
    initialCoords_ = true;
    outputOK_ = false;
    GridResultFilesDialog dialog(this);
    outputOK_ = dialogs().exec(&dialog) == QDialog::Accepted;
    if (!outputOK_)
        return;
    initialCoords_ = dialog.initialCoords();
    resultFiles_ = dialog.fileNames();

    grid()->hide();
    Notice notice;
    {
        BusyCursor busy;
        const auto result = strainAtGridPoints(cells(), initialCoords_);
        if (const auto* failure = std::get_if<GridStrainFailure>(&result))
            notice = gridStrainNotice(*failure);
        else if (writeGridStrainFiles(resultFiles_, gridStrainLines(std::get<std::vector<GridPointStrain>>(result))) !=
                 FileError::None)
            notice = gridStrainFilesNotSavedNotice();
        else
            notice = gridStrainDoneNotice();
    }
    showNotice(this, notice);
    grid()->show();
}

} // namespace kv
