// Texts of the line-curvature window that belong with the computations here:
// the window shows them when a function of this folder says so.
#pragma once

namespace kv::curvature_texts {

// pictureTooLarge() true: OK-only message box.
inline constexpr const char* kPictureTooLargeMessage = "图象太大，请压缩后在输入！";
inline constexpr const char* kPictureTooLargeTitle = "警告";

// The input box whose answer goes to parseThreshold().
inline constexpr const char* kThresholdPrompt = "请输入黑白阀值大小(0-255):";
inline constexpr const char* kThresholdTitle = "阀值!";

// "保存数据": the table file could not be written (OK-only, title "提示").
inline constexpr const char* kTableNotSavedMessage = "文件无法保存，请检查文件名、权限和磁盘空间！";
inline constexpr const char* kTableNotSavedTitle = "提示";

// Header row of the result table (columns 0..3; CurvatureRow fills 1..3).
inline constexpr const char* kTableHeaders[] = {"序号", "断裂线X坐标", "断裂线Y坐标", "断裂线曲率"};

} // namespace kv::curvature_texts
