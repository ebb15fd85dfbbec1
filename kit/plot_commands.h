// The small commands that the plotting tool windows share: close, print the
// diagram, save it as a bitmap, switch between table and picture, help and
// About. One routine per command; the windows differ only in their PlotTraits
// (their catalogue row).
#pragma once

#include "kit/plot_traits.h"

#include <QString>

class QAction;
class QWidget;

namespace kv {

class DataGrid;
class PictureBox;
class ToolWindow;

// Message of a bitmap that could not be written.
QString pictureNotSavedText();

// File > "退出": windows whose traits say so first give panel 3 back to the
// Num Lock indicator; then the window is unloaded.
void closeToolWindow(ToolWindow* window, const PlotTraits& traits);

// Closing by any way (close box included) gives panel 3 back to the Num Lock
// indicator for the windows whose traits say so.
void resetPanel3OnClosing(ToolWindow* window, const PlotTraits& traits);

// File > print: draws the picture at (500, 500) twips on a page of its own and
// sends it. Windows that print only a shown picture print nothing while it is
// hidden. A failure shows the window's message.
void printDiagram(QWidget* window, PictureBox* picture, const PlotTraits& traits);

// File > "保存图像": asks for a name (the window's filter) and writes the picture
// as a BMP, shown or hidden. Cancelling does nothing; a file that cannot be
// written is reported and the window goes on.
void saveDiagramPicture(QWidget* window, PictureBox* picture, const PlotTraits& traits);

// Operate > "产状数据": hides the picture, shows the table.
void showDataView(PictureBox* picture, DataGrid* grid);
// Operate > "图片结果"/"图像结果": shows the picture, hides the table.
void showPictureView(PictureBox* picture, DataGrid* grid);
// "数据浏览": sets the mark and shows the table (mark on) or the picture.
void setDataBrowse(QAction* dataBrowse, PictureBox* picture, DataGrid* grid, bool tableShown);
// "显示表格": shows the table, hides the frame that holds the picture.
void showTableHidingFrame(DataGrid* grid, QWidget* pictureFrame);

// Help > "内容" and Help > "关于..." through the main window.
void showToolHelp();
void showToolAbout();

} // namespace kv
