// The petrofabric window ("岩组"): universal-stage readings of mineral axes or
// planes in a thin section (dip direction, dip and the ring letter n, s, e or
// w), turned into geographic attitudes with the window's eight settings and
// drawn as a scatter diagram and pole density contours on the net. Operate >
// "选项" edits the settings in a modal dialog.
#pragma once

#include "attitude/ui/net_plot_window.h"

namespace kv {

class PetrofabricWindow : public NetPlotWindow {
    Q_OBJECT
public:
    explicit PetrofabricWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // The eight settings; the defaults when the window opens. A change redraws
    // nothing: the next diagram uses it.
    const PetrofabricSettings& settings() const { return engine_.settings; }
    void setSettings(const PetrofabricSettings& settings) { engine_.settings = settings; }
    const NetState& netState() const { return engine_.state; }

    void readDataFile() override;
    void saveDataFile() override;

protected:
    std::string pointerText(double x, double y) const override;

private:
    void addOptionItem();
    void editOptions();

    PetrofabricEngine engine_;
};

} // namespace kv
