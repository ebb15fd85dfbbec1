// The pi diagram window: bedding attitudes of a fold in the table, and on the
// picture their poles on a stereographic net with the great circle that best
// holds them and its pole, the fold hinge.
#pragma once

#include "kit/plot_window.h"

namespace kv {

class PiDiagramWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit PiDiagramWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // Beds of the last diagram drawn.
    int pointCount() const { return pointCount_; }

    void readDataFile() override;
    void saveDataFile() override;

private:
    void drawPi();

    int pointCount_ = 0;
};

} // namespace kv
