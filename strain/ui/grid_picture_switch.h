// The one view item of the reverse-wheel and Fry windows. Its caption tells
// what the next click shows: "网格浏览" (the table, while the picture is shown)
// or "显示图片" (the picture, while the table is shown). Commands that show the
// picture by themselves leave the caption to the window.
#pragma once

#include <QString>

class QAction;

namespace kv {

class DataGrid;
class PictureBox;

QString browseGridCaption();  // "网格浏览"
QString showPictureCaption(); // "显示图片"

// A click on the item: a caption other than "显示图片" shows the table and
// takes that caption; "显示图片" shows the picture and becomes "网格浏览".
void switchGridPicture(QAction* item, PictureBox* picture, DataGrid* grid);

} // namespace kv
