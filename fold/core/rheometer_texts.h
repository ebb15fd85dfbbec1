// The fold rheometer window's own texts, in one place: caption, table titles,
// panel labels, menus, file filters and messages. Chart texts live with the
// charts (rheometer_charts.h), report labels with the report (rheometer_files.h).
#pragma once

#include <array>

namespace kv::rheometer_texts {

inline constexpr const char* kWindowCaption = "能干层褶皱流变计";

// Row 0 of the table, columns 0 to 6; columns 7 to 15 have no title.
inline constexpr std::array<const char*, 7> kColumnTitles{
    "序号", "褶皱y1坐标值", "褶皱y2坐标值", "褶皱y3坐标值", "褶皱弧长L", "褶皱波长W", "褶皱厚度h"};

// The analysis panel.
inline constexpr const char* kPanelCaption = "褶皱几何形态分析";
inline constexpr const char* kStressExponentLabel = "能干层应力指数估测值：";
inline constexpr const char* kViscosityRatioLabel = "能干层与基质粘度比值：";

// Menus and their items.
inline constexpr const char* kFileMenu = "文件(&F)";
inline constexpr const char* kOpenData = "打开数据";
inline constexpr const char* kSaveData = "保存数据";
inline constexpr const char* kSavePicture = "保存图像";
inline constexpr const char* kPrintPicture = "打印图像";
inline constexpr const char* kExit = "退出";
inline constexpr const char* kOperateMenu = "操作(&O)";
inline constexpr const char* kAnalyseFold = "褶皱几何分析";
inline constexpr const char* kShowTable = "显示表格";
inline constexpr const char* kHelpMenu = "帮助(&H)";
inline constexpr const char* kHelpContents = "内容";
inline constexpr const char* kHelpAbout = "关于...";

// File dialog filters.
inline constexpr const char* kOpenDataFilter = "文本文件（*.txt;*.dat）|*.txt;*.dat";
inline constexpr const char* kSaveReportFilter = "数据文件(*.txt)|*.txt|所有文件（*.*）|*.*";
inline constexpr const char* kSavePictureFilter = "位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*";

// Messages, all with the title kMessageTitle and an OK button.
inline constexpr const char* kMessageTitle = "提示";
inline constexpr const char* kBadMeasurements = "数据有误，请检查！"; // analysis refused, report not written
inline constexpr const char* kBadDataFile = "数据有误！";          // measurement file not read
inline constexpr const char* kPrintFailed = "打印出错！";

} // namespace kv::rheometer_texts
