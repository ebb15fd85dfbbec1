// The menus of a plotting window, in the shared layout: "文件(&F)" (data file,
// the window's picture item, save data, save picture, print, exit), "操作(&O)" (the window's drawing
// commands, then its view items) and "帮助(&H)" (contents, About). The common
// items are wired here; the window's own items call the functions it gives.
#pragma once

#include "kit/plot_traits.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace kv {

class DataGrid;
class PictureBox;
class ToolWindow;

// A menu item of the window's own, run when chosen.
struct MenuCommand {
    QString caption;
    QString objectName;
    std::function<void()> run;
};

// The parts of a window that the common commands work on.
struct PlotWindowParts {
    PictureBox* picture = nullptr;   // Picture1
    DataGrid* grid = nullptr;        // Grid1
    QWidget* pictureFrame = nullptr; // the frame around the picture, for "显示表格"
};

struct PlotFileCommands {
    std::function<void()> readDataFile;     // the data-file item; no item when empty
    std::function<void()> saveData;         // "保存数据"
    std::optional<MenuCommand> openPicture; // the window's picture item, after the data-file item
};

// "文件(&F)": the data-file item and the picture item (each when given), a
// separator, "保存数据", "保存图像", a separator, the print item and a separator
// (when the traits have it), "退出". "保存图像" and print work on `diagram`.
QMenu* addPlotFileMenu(ToolWindow* window, const PlotTraits& traits, PictureBox* diagram,
                       const PlotFileCommands& files);

// Builds the three menus, wires every item and the panel-3 reset on closing.
// Items are reached afterwards by their object names (ToolWindow::menuItem).
void addPlotMenus(ToolWindow* window, const PlotTraits& traits, const PlotWindowParts& parts,
                  const PlotFileCommands& files, const QList<MenuCommand>& drawingCommands);

// "帮助(&H)" with "内容", the separator of that name and "关于...", as every tool
// window with menus of its own has it.
QMenu* addHelpMenu(ToolWindow* window, const PlotTraits& traits, const QString& separatorName);

} // namespace kv
