// The competent-layer fold rheometer window: a table for the six measurements
// of one fold (three profile heights, arc length, wavelength, thickness), and
// the analysis panel that replaces it after Operate > "褶皱几何分析", with the
// profile and curvature chart, the three curvature-index charts, their legend
// and the viscosity ratio derived from a stress exponent the user types.
#pragma once

#include "fold/core/rheometer_chart.h"
#include "fold/core/rheometer_session.h"
#include "kit/plot_window.h"

#include <vector>

namespace kv {

class RheometerPanel;

class RheometerWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit RheometerWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    RheometerPanel* panel() const { return panel_; } // Frame1
    const RheometerState& state() const { return state_; }
    // The legend's controls on the picture, in their show and hide order.
    const std::vector<QWidget*>& legendControls() const { return legend_; }

    void readDataFile() override; // File > "打开数据": the measurement file
    void saveDataFile() override; // File > "保存数据": the report
    void analyseFold();           // Operate > "褶皱几何分析"
    void showChart(RheometerView view);

protected:
    // The panel keeps its size, centred; the table fills the window.
    void layOut() override;

private:
    void stressExponentEdited(const QString& text);
    void setSaveDataEnabled(bool on);
    void setLegendShown(bool shown);

    RheometerState state_;
    RheometerPanel* panel_ = nullptr;
    std::vector<QWidget*> legend_;
};

} // namespace kv
