// The Fry window (`fry`): the centres of the objects of a picture, clicked
// with the mouse, found by the window or read from a centre file, listed in
// the table (which the user may edit), saved as a centre file, and the Fry
// plot of those centres with its strain ellipse.
#pragma once

#include "kit/plot_window.h"
#include "strain/core/fry_method.h"

#include <optional>

namespace kv {

class FryWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit FryWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // Centres written into the table since the numbering last restarted.
    int pointCount() const { return pointCount_; }
    // The ellipse of the last complete Fry run.
    const std::optional<FryEllipse>& lastEllipse() const { return lastEllipse_; }

    void readDataFile() override; // "数据文件"
    void saveDataFile() override; // "保存数据"
    void loadPicture();           // "图像文件"
    void toggleMousePicking();    // "鼠标点取中心"
    void findCentres();           // "自动求取中心"
    void runFry();                // "FRY应变"

private:
    void buildMenus();
    void pickCentre(int button, double x, double y);
    void showPointer(double x, double y);
    // Restarts the numbering: the centre columns are emptied.
    void clearCentres();
    // Writes the next centre row; false (the user told once) when the table is full.
    bool addCentre(const QString& x, const QString& y);
    // Centres beyond the table's rows are left out; the user hears it once
    // until the numbering restarts.
    void tellTableFull();
    void tell(const Notice& notice);

    int pointCount_ = 0;
    bool toldTableFull_ = false;
    std::optional<FryEllipse> lastEllipse_;
};

} // namespace kv
