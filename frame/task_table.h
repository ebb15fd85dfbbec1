// The twelve tasks of the chooser: index, caption under the icon, window shown,
// the window's own caption, and the icon's place in the chooser (column, row).
#pragma once

#include <array>

namespace kv {

struct TaskEntry {
    int index;
    const char* label;         // under the icon
    const char* window;        // objectName of the tool window
    const char* windowCaption; // title of the tool window
    int column;                // 1..3
    int row;                   // 1..4
};

inline constexpr int taskCount = 12;

inline constexpr std::array<TaskEntry, taskCount> taskTable{{
    {0, "反向轮法测应变", "isw", "反向轮法", 1, 1},
    {1, "FRY法测应变", "fry", "FRY法", 2, 1},
    {2, "网格法测应变场", "wgf", "网格法", 3, 1},
    {3, "产状优势方位", "joint", "产状优势方位", 1, 2},
    {4, "节理玫瑰花图", "mainrose", "玫瑰花图", 2, 2},
    {5, "三点法求产状", "threedots", "三点法", 1, 3},
    {6, "线条曲率", "curvature", "线条曲率", 3, 3},
    {7, "岩层真厚度", "depth", "岩层真厚度", 2, 3},
    {8, "褶皱流变计", "fold", "能干层褶皱流变计", 1, 4},
    {9, "岩组图", "yanzu", "岩组", 3, 2},
    {10, "褶皱π图解", "pai_diagram", "褶皱Pi图解", 2, 4},
    {11, "褶皱β图解", "beta_diagram", "褶皱Beta图解", 3, 4},
}};

} // namespace kv
