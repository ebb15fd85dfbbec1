// The tool catalogue: one row per task of the chooser. The chooser, the window
// registry, the tool windows and their shared commands all read their names,
// captions and traits from here, so a window's name is written once: in its row.
#pragma once

#include "kit/plot_traits.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kv {

class ToolWindow;
struct ToolEntry;

// The chooser's picture of a task.
enum class ToolIcon {
    ChordWheel,
    FryCentres,
    ShearedGrid,
    NetContours,
    Rose,
    ThreePoints,
    CurvedLine,
    Thickness,
    FoldedLayer,
    Petrofabric,
    PiNet,
    BetaNet,
};

// Builds a tool's window from its row.
using ToolWindowBuilder = std::function<ToolWindow*(const ToolEntry&)>;

struct ToolEntry {
    int task = 0;              // index of the chooser, 0..11
    const char* window = "";   // objectName of the tool window
    const char* caption = "";  // title of the tool window
    const char* label = "";    // under the chooser icon
    ToolIcon icon = ToolIcon::Rose;
    int column = 1;            // place of the icon in the chooser: 1..3
    int row = 1;               //                                     1..4
    ToolWindowBuilder build;   // how the window is built
    std::optional<PlotTraits> plot; // plotting windows: traits of the shared commands

    QString windowName() const { return QString::fromLatin1(window); }
    QString windowCaption() const { return QString::fromUtf8(caption); }
    // The shared commands' traits; plotting windows only.
    const PlotTraits& plotTraits() const { return *plot; }
};

class ToolCatalogue {
public:
    explicit ToolCatalogue(std::vector<ToolEntry> entries) : entries_(std::move(entries)) {}

    const std::vector<ToolEntry>& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }
    // Null when no row has that task index or window name.
    const ToolEntry* byTask(int task) const;
    const ToolEntry* byWindow(const QString& name) const;

private:
    std::vector<ToolEntry> entries_;
};

} // namespace kv
