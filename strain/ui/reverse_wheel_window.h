// The reverse-wheel window (`isw`): a picture of grains, the boundary count
// along parallel chords turned step by step, the count table with its file,
// and the fit of the counts that gives the strain ellipse.
//
// The count runs on the window's own thread and shows its chords one
// orientation at a time, keeping the program's events flowing in between;
// while it runs the window's menus are disabled and the window refuses to close.
#pragma once

#include "kit/plot_window.h"
#include "strain/core/count_settings.h"

namespace kv {

class ReverseWheelWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit ReverseWheelWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // `nlines` and `turnangle`, as the settings dialog left them.
    const CountSettings& settings() const { return settings_; }
    bool counting() const { return counting_; }

    // The count table is written, never read back.
    void readDataFile() override {}
    void saveDataFile() override; // "保存数据"

    void loadPicture();      // "打开图像"
    void askSettings();      // "统计设置"
    void countBoundaries();  // "边界统计"
    void showFit();          // "应变椭圆"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void setMenusEnabled(bool on);

    CountSettings settings_;
    bool counting_ = false;
};

} // namespace kv
