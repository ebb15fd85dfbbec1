#include "strain/ui/fry_window.h"

#include "kit/grid_cell_edit.h"
#include "kit/plot_commands.h"
#include "kit/plot_menus.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"
#include "strain/core/centre_file.h"
#include "strain/core/object_centres.h"
#include "strain/ui/grid_picture_switch.h"
#include "strain/ui/picture_pixels.h"
#include "strain/ui/tool_picture.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <cmath>

namespace kv {

namespace {

constexpr int kTableRows = 200; // row 0 for the titles: 199 centres
constexpr int kTableCols = 26;
constexpr int kColumnTwips = 2000;
constexpr int kPlotSide = 300; // pixels of the Fry plot
constexpr int kLeftButton = 1;

const QColor kRed(255, 0, 0);

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A number as the pointer readout shows it: a blank for the sign, no blank after.
QString readoutNumber(double value)
{
    std::string s = printText(static_cast<std::int64_t>(intFloor(value)));
    s.pop_back();
    return text(s);
}

} // namespace

FryWindow::FryWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpTable({QStringLiteral("序号"), QStringLiteral("中心点X坐标"), QStringLiteral("中心点Y坐标")}, kTableRows,
               kTableCols, kColumnTwips);
    buildMenus();
    attachGridCellEdit(grid(), CellEditVariant::Plain);
    picture()->setAutoRedraw(true);
    connect(picture(), &PictureBox::mouseUp, this, &FryWindow::pickCentre);
    connect(picture(), &PictureBox::mouseMove, this, [this](int, double x, double y) { showPointer(x, y); });
    setOpensMaximized(true);
    resize(800, 600);
    showTableView();
    layOut();
}

void FryWindow::buildMenus()
{
    const PlotTraits& t = traits();

    PlotFileCommands files;
    files.readDataFile = [this] { readDataFile(); };
    files.saveData = [this] { saveDataFile(); };
    files.openPicture =
        MenuCommand{QStringLiteral("图像文件"), QStringLiteral("MFileInputpicture"), [this] { loadPicture(); }};
    addPlotFileMenu(this, t, picture(), files);

    QMenu* operate = addMenu(QStringLiteral("操作(&O)"), QString::fromLatin1(t.names.operateMenu));
    QAction* picking = addCommand(operate, QStringLiteral("鼠标点取中心"), "MOperateMouseCenter",
                               [this] { toggleMousePicking(); });
    picking->setCheckable(true);
    picking->setEnabled(false);
    addCommand(operate, QStringLiteral("自动求取中心"), "MOperateCenter", [this] { findCentres(); })->setEnabled(false);
    addSeparator(operate, "MOperateSpaceBar1");
    addCommand(operate, QStringLiteral("FRY应变"), "MOperateFryMethod", [this] { runFry(); });
    addSeparator(operate, "MOperateSpaceBar2");
    QAction* view = addItem(operate, browseGridCaption(), QStringLiteral("MOperateGrid"));
    connect(view, &QAction::triggered, this, [this, view] { switchGridPicture(view, picture(), grid()); });

    addHelpMenu(this, traits(), QStringLiteral("MHelpSpaceBar"));
}

void FryWindow::tell(const Notice& notice)
{
    dialogs().message(this, text(notice.text), text(notice.title));
}

void FryWindow::clearCentres()
{
    pointCount_ = 0;
    toldTableFull_ = false;
    grid()->clearColumns(1, 2);
}

void FryWindow::tellTableFull()
{
    if (!toldTableFull_)
        tell(tooManyCentresNotice());
    toldTableFull_ = true;
}

bool FryWindow::addCentre(const QString& x, const QString& y)
{
    if (pointCount_ >= static_cast<int>(kMostCentres)) {
        tellTableFull();
        return false;
    }
    ++pointCount_;
    grid()->setTextMatrix(pointCount_, 0, QString::number(pointCount_));
    grid()->setTextMatrix(pointCount_, 1, x);
    grid()->setTextMatrix(pointCount_, 2, y);
    return true;
}

void FryWindow::loadPicture()
{
    if (!loadToolPicture(this, picture()))
        return;
    layOut();
    grid()->hide();
    picture()->show();
    menuItem(QStringLiteral("MOperateMouseCenter"))->setEnabled(true);
    menuItem(QStringLiteral("MOperateCenter"))->setEnabled(true);
    menuItem(QStringLiteral("MOperateGrid"))->setText(browseGridCaption());
    picture()->setPixelScale();
}

// The click has already turned the mark over.
void FryWindow::toggleMousePicking()
{
    if (menuItem(QStringLiteral("MOperateMouseCenter"))->isChecked())
        clearCentres();
}

void FryWindow::pickCentre(int button, double x, double y)
{
    if (button != kLeftButton || !menuItem(QStringLiteral("MOperateMouseCenter"))->isChecked())
        return;
    const float up = static_cast<float>(std::fabs(picture()->scaleHeight())) - static_cast<float>(y);
    if (!addCentre(text(cellText(static_cast<float>(x))), text(cellText(up))))
        return;
    picture()->setDrawWidth(2);
    picture()->pset(x, y, kRed);
    picture()->setDrawWidth(1);
}

void FryWindow::showPointer(double x, double y)
{
    if (!menuItem(QStringLiteral("MOperateMouseCenter"))->isChecked()) {
        picture()->unsetCursor();
        return;
    }
    picture()->setCursor(Qt::CrossCursor);
    if (FrameServices* frame = mainFrame())
        frame->setPanel3Text(QStringLiteral("X:") + readoutNumber(x) + QStringLiteral("   Y:")
                             + readoutNumber(std::fabs(picture()->scaleHeight()) - y));
}

void FryWindow::findCentres()
{
    BusyCursor busy;
    PictureBox* pic = picture();
    pic->setPixelScale();
    const int height = pic->pictureSize().height();
    clearCentres();
    const AutoCentres found = findObjectCentres(pixelImageOf(pic->image()));
    {
        const DrawingBatch batch(*pic); // one painter for every mark
        pic->setDrawWidth(2);
        for (const PixelPos& centre : found.centres) {
            pic->pset(centre.x, centre.y, kRed);
            addCentre(text(centreXText(centre)), text(centreYText(centre, height)));
        }
        pic->setDrawWidth(1);
    }
    if (found.truncated)
        tellTableFull();
}

void FryWindow::readDataFile()
{
    const QString path = dialogs().openFileName(this, QStringLiteral("文本文件(*.txt;*.dat)|*.txt;*.dat"));
    if (path.isEmpty())
        return;
    const auto read = readCentreFile(QFile::encodeName(path).toStdString());
    if (const auto* refusal = std::get_if<CentreFileRefusal>(&read)) {
        tell(centreFileNotice(*refusal));
        return;
    }
    const CentreTable& table = std::get<CentreTable>(read);
    menuItem(QStringLiteral("MOperateMouseCenter"))->setEnabled(false);
    menuItem(QStringLiteral("MOperateCenter"))->setEnabled(false);
    {
        BusyCursor busy;
        grid()->hide();
        clearCentres();
        for (const CentreRow& row : table.rows)
            addCentre(text(row.first), text(row.second));
        menuItem(QStringLiteral("MOperateGrid"))->setText(showPictureCaption());
        picture()->hide();
        grid()->show();
    }
    if (table.truncated)
        tellTableFull();
}

void FryWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*"));
    if (path.isEmpty())
        return;
    // The old file stays whole when the new one can't be written.
    const auto lines = centreFileLines(cells());
    if (!lines || writeTextFile(QFile::encodeName(path).toStdString(), *lines) != FileError::None)
        dialogs().message(this, QStringLiteral("数据有误，请检查！"), QStringLiteral("提示"));
}

void FryWindow::runFry()
{
    PictureBox* pic = picture();
    pic->show();
    grid()->hide();
    const FryRun run = runFryMethod(cells());
    pointCount_ = run.pointCount;
    toldTableFull_ = false;
    lastEllipse_.reset();
    if (run.plotShown) {
        pic->setPictureSize(kPlotSide, kPlotSide);
        pic->setScale(0, kPlotSide - 1, kPlotSide - 1, 0);
        pic->cls();
        layOut();
        menuItem(QStringLiteral("MOperateGrid"))->setText(browseGridCaption());
        paintDrawing(*pic, run.plot);
        pic->setDrawWidth(1);
        pic->setForeColor(Qt::black);
    }
    if (run.stop) {
        tell(fryStopNotice(*run.stop));
        return;
    }
    lastEllipse_ = run.ellipse;
}

} // namespace kv
