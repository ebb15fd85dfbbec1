#include "strain/ui/reverse_wheel_window.h"

#include "kit/plot_commands.h"
#include "kit/plot_menus.h"
#include "platform/text/text_file.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor_guard.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/frame_services.h"
#include "platform/ui/picture_box.h"
#include "strain/core/chord_count.h"
#include "strain/core/count_table_file.h"
#include "strain/ui/count_fit_dialog.h"
#include "strain/ui/count_settings_dialog.h"
#include "strain/ui/grid_picture_switch.h"
#include "strain/ui/picture_pixels.h"
#include "strain/ui/tool_picture.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>

namespace kv {

namespace {

constexpr int kTableRows = 200; // row 0 for the titles
constexpr int kTableCols = 26;
constexpr int kColumnTwips = 2000;
constexpr int kOrientationPauseMs = 100; // long enough to see each orientation's chords

const QColor kRed(255, 0, 0);

QWidget* dialogOwner(QWidget* window)
{
    FrameServices* frame = mainFrame();
    return frame ? frame->window() : window;
}

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

ReverseWheelWindow::ReverseWheelWindow(const ToolEntry& entry, QWidget* parent) : PlotWindow(entry, parent)
{
    setUpTable({QStringLiteral("序号"), QStringLiteral("角度"), QStringLiteral("边界数目")}, kTableRows, kTableCols,
               kColumnTwips);
    buildMenus();
    menuItem(QStringLiteral("MOperateOutLineCount"))->setEnabled(false);
    menuItem(QStringLiteral("MOperateEllipse"))->setEnabled(false);
    picture()->setAutoRedraw(true);
    setOpensMaximized(true);
    resize(800, 600);
    showTableView();
    layOut();
}

void ReverseWheelWindow::buildMenus()
{
    const PlotTraits& t = traits();

    PlotFileCommands files;
    files.saveData = [this] { saveDataFile(); };
    files.openPicture =
        MenuCommand{QStringLiteral("打开图像"), QStringLiteral("MFileInputpicture"), [this] { loadPicture(); }};
    addPlotFileMenu(this, t, picture(), files);

    QMenu* operate = addMenu(QStringLiteral("操作(&O)"), QString::fromLatin1(t.names.operateMenu));
    addCommand(operate, QStringLiteral("统计设置"), "MOperateCount", [this] { askSettings(); });
    addCommand(operate, QStringLiteral("边界统计"), "MOperateOutLineCount", [this] { countBoundaries(); });
    addSeparator(operate, "MOperateSpaceBar1");
    addCommand(operate, QStringLiteral("应变椭圆"), "MOperateEllipse", [this] { showFit(); });
    addSeparator(operate, "MOperateSpaceBar2");
    QAction* view = addItem(operate, browseGridCaption(), QStringLiteral("MOperatepicgrid"));
    connect(view, &QAction::triggered, this, [this, view] { switchGridPicture(view, picture(), grid()); });

    addHelpMenu(this, traits(), QStringLiteral("MHelpSpaceBar"));
}

void ReverseWheelWindow::loadPicture()
{
    if (!loadToolPicture(this, picture()))
        return;
    grid()->hide();
    picture()->setPixelScale();
    picture()->setAutoRedraw(true);
    picture()->show();
    menuItem(QStringLiteral("MOperateOutLineCount"))->setEnabled(true);
}

void ReverseWheelWindow::saveDataFile()
{
    const QString path = dialogs().saveFileName(this, QStringLiteral("数据文件(*.txt)|*.txt|所有文件(*.*)|*.*"));
    if (path.isEmpty())
        return;
    const auto lines = countTableLines(cells());
    if (const auto* bad = std::get_if<CountTableUnwritable>(&lines)) {
        dialogs().message(this, QStringLiteral("第%1行的数据无法保存，请检查！").arg(bad->row), QStringLiteral("提示"));
        return;
    }
    const FileError error = writeTextFile(QFile::encodeName(path).toStdString(), std::get<std::vector<std::string>>(lines));
    if (error != FileError::None)
        dialogs().message(this, QStringLiteral("文件无法保存，请检查文件名、权限和磁盘空间！"), QStringLiteral("提示"));
}

void ReverseWheelWindow::askSettings()
{
    CountSettingsDialog dialog(dialogOwner(this));
    if (dialogs().exec(&dialog) == QDialog::Accepted)
        settings_ = dialog.settings();
}

void ReverseWheelWindow::countBoundaries()
{
    if (counting_)
        return;
    PictureBox* pic = picture();
    const QSize size = pic->pictureSize();
    const CountCircle circle = countCircle(size.width(), size.height());
    pic->setAutoRedraw(true);
    pic->setDrawWidth(1);
    pic->circle(circle.centre.x, circle.centre.y, circle.radius, kRed);

    // The count reads the stored picture (circle included); each orientation
    // puts back the pixels its walk painted.
    PixelImage pixels = pixelImageOf(pic->image());
    BoundaryCount count(pixels, settings_);

    counting_ = true;
    setMenusEnabled(false);
    {
        BusyCursor busy;
        grid()->hide();
        pic->show();
        pic->setAutoRedraw(false);
        doEvents();
        grid()->clearColumns(1, 2);
        for (int k = 0; k < count.orientations(); ++k) {
            const OrientationCount result = count.countOrientation(k);
            {
                const DrawingBatch batch(*pic); // one painter for the orientation's chords
                for (const LineItem& chord : result.chords)
                    pic->line(chord.from.x, chord.from.y, chord.to.x, chord.to.y, kRed);
            }
            doEventsFor(kOrientationPauseMs);
            pic->refresh();
            grid()->setTextMatrix(k + 1, 0, QString::number(k + 1));
            grid()->setTextMatrix(k + 1, 1, text(countAngleText(result)));
            grid()->setTextMatrix(k + 1, 2, text(countValueText(result)));
        }
        pic->setAutoRedraw(true);
    }
    counting_ = false;
    setMenusEnabled(true);
    menuItem(QStringLiteral("MOperateEllipse"))->setEnabled(true);
}

void ReverseWheelWindow::showFit()
{
    grid()->hide();
    CountFitDialog dialog(cells(), settings_, dialogOwner(this));
    dialogs().exec(&dialog);
}

void ReverseWheelWindow::setMenusEnabled(bool on)
{
    for (QMenu* menu : menus())
        menu->menuAction()->setEnabled(on);
}

void ReverseWheelWindow::closeEvent(QCloseEvent* event)
{
    // The count is still walking this window's picture and filling its table.
    if (counting_) {
        event->ignore();
        return;
    }
    PlotWindow::closeEvent(event);
}

} // namespace kv
