// What the shared commands of a plotting window (print, save picture, view
// switch, close, help) need to know of that window: its texts, its filters and
// the object names of its menus. One value per window, in its catalogue row.
#pragma once

namespace kv {

// How a window switches between its table and its picture.
enum class ViewCommands {
    DataBrowseCheck, // one check item, "数据浏览"; the mark on shows the table
    ShowTable,       // "显示表格" shows the table and hides the frame around the picture
    PictureAndData,  // a picture item ("图片结果"/"图像结果") and "产状数据"
};

// objectNames of a window's menus and common items.
struct PlotMenuNames {
    const char* fileMenu = "MFile";
    const char* dataFile = "MFileInputdata";
    const char* saveData = "MFileSaveData";
    const char* savePicture = "MFileSavePicture";
    const char* print = "MFilePrint";
    const char* exit = "MFileExit";
    const char* operateMenu = "MOperate";
    const char* helpMenu = "MHelp";
    const char* helpContents = "MHelpContents";
    const char* helpAbout = "MHelpAbout";
};

struct PlotTraits {
    bool resetsPanel3OnClose = false;     // the pointer readout goes back to Num Lock on closing
    bool hasPrintItem = true;             // the File menu has the print item
    const char* printCaption = "打印图像";
    bool printsOnlyShownPicture = false;  // nothing is printed while the picture is hidden
    const char* printFailureText = "打印出现问题！";
    const char* printFailureTitle = "提示";
    const char* pictureFilter = "位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*"; // "desc|pattern|..."
    const char* pictureSaveTitle = "";    // the save dialog's title; empty: the dialog's own
    ViewCommands viewCommands = ViewCommands::PictureAndData;
    const char* pictureViewCaption = "图像结果";
    const char* dataFileCaption = "数据文件";
    PlotMenuNames names;
};

} // namespace kv
