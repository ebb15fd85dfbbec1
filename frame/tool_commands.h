// The small commands that the six plotting tool windows share: close, print the
// diagram, save it as a bitmap, switch between table and picture, help and About.
// One routine per command; the windows differ only in the points of their
// PlotWindowTraits. addCommonMenus() builds a window's File, Operate and Help
// menus and wires every common item; the window connects its own data-file,
// save-data and drawing items from the actions it gets back.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace kv {

class DataGrid;
class PictureBox;
class ToolWindow;

enum class PlotWindow { MainRose, Fold, Joint, Yanzu, Beta, Pai };

// How a window switches between its table and its picture.
enum class ViewCommands {
    DataBrowseCheck, // mainrose: one check item, "数据浏览"; the mark on shows the table
    ShowTable,       // fold: "显示表格" shows the table and hides the picture's frame
    PictureAndData, // the others: "图片结果"/"图像结果" and "产状数据"
};

// objectNames of a window's menus and common items.
struct PlotMenuNames {
    const char* fileMenu;
    const char* dataFile;
    const char* saveData;
    const char* savePicture;
    const char* print;
    const char* exit;
    const char* operateMenu;
    const char* helpMenu;
    const char* helpContents;
    const char* helpAbout;
};

struct PlotWindowTraits {
    const char* windowName;        // objectName of the window, "mainrose"...
    bool resetsPanel3OnClose;      // joint, yanzu: the pointer readout goes back to Num Lock
    const char* printCaption;      // "打印图像" ("打印图片" in beta)
    bool printsOnlyShownPicture;   // mainrose, fold: nothing is printed while the picture is hidden
    const char* printFailureText;
    const char* printFailureTitle;
    const char* pictureFilter;     // save-picture dialog filter, "desc|pattern|..."
    ViewCommands viewCommands;
    const char* pictureViewCaption; // "图片结果" (joint) / "图像结果"; unused by mainrose and fold
    const char* dataFileCaption;   // "数据文件" ("打开数据" in fold)
    PlotMenuNames names;
};

const PlotWindowTraits& traits(PlotWindow window);

// Message of a bitmap that could not be written.
QString pictureNotSavedText();

// File > "退出": joint and yanzu first give panel 3 back to the Num Lock
// indicator; then the window is unloaded.
void closeToolWindow(ToolWindow* window, PlotWindow kind);

// Closing by any way (close box included) gives panel 3 back to the Num Lock
// indicator for the windows whose traits say so. addCommonMenus installs it.
void resetPanel3OnClosing(ToolWindow* window, PlotWindow kind);

// File > print: draws the picture at (500, 500) twips on a page of its own and
// sends it. mainrose and fold print nothing while their picture is hidden. A
// failure shows the window's message.
void printDiagram(QWidget* window, PictureBox* picture, PlotWindow kind);

// File > "保存图像": asks for a name (the window's filter) and writes the picture
// as a BMP, shown or hidden. Cancelling does nothing; a file that cannot be
// written is reported and the window goes on.
void saveDiagramPicture(QWidget* window, PictureBox* picture, PlotWindow kind);

// Operate > "产状数据": hides the picture, shows the table.
void showDataView(PictureBox* picture, DataGrid* grid);
// Operate > "图片结果"/"图像结果": shows the picture, hides the table.
void showPictureView(PictureBox* picture, DataGrid* grid);
// mainrose: sets the "数据浏览" mark and shows the table (mark on) or the picture.
// The item's own click has already inverted the mark; the rose commands call it
// with tableShown = false.
void setDataBrowse(QAction* dataBrowse, PictureBox* picture, DataGrid* grid, bool tableShown);
// fold, "显示表格": shows the table, hides the frame that holds the picture.
void showFoldTable(DataGrid* grid, QWidget* pictureFrame);

// Help > "内容" and Help > "关于..." through the main window.
void showToolHelp();
void showToolAbout();

// The parts of a window that the common commands work on.
struct PlotWindowParts {
    PictureBox* picture = nullptr;   // Picture1
    DataGrid* grid = nullptr;        // Grid1
    QWidget* pictureFrame = nullptr; // fold only: Frame1, around the picture and chart options
};

struct MenuEntry {
    QString caption;
    QString objectName;
};

// The menus and items made by addCommonMenus. Items a window does not have stay null.
struct CommonMenus {
    QMenu* file = nullptr;
    QMenu* operate = nullptr;
    QMenu* help = nullptr;
    QAction* dataFile = nullptr;    // to be connected by the window
    QAction* saveData = nullptr;    // to be connected by the window
    QAction* savePicture = nullptr;
    QAction* print = nullptr;
    QAction* exit = nullptr;
    QList<QAction*> drawing;        // the window's drawing commands, to be connected by it
    QAction* pictureView = nullptr; // MOperatePicView
    QAction* dataView = nullptr;    // MOperateDataView
    QAction* dataBrowse = nullptr;  // mainrose: MOperatepicgrid, checked when built
    QAction* showTable = nullptr;   // fold: OperateMenuShowTable
    QAction* helpContents = nullptr;
    QAction* helpAbout = nullptr;
};

// Builds "文件(&F)", "操作(&O)" and "帮助(&H)" of a plotting window in the
// shared layout, with the drawing commands at the top of "操作(&O)", wires the
// common items and the panel-3 reset on closing. More items may be appended to
// the returned menus (yanzu adds a separator and "选项").
CommonMenus addCommonMenus(ToolWindow* window, PlotWindow kind, const PlotWindowParts& parts,
                           const QList<MenuEntry>& drawingCommands);

} // namespace kv
