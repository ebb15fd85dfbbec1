// The beta diagram window: the bedding attitudes of a fold's two limbs in the
// table (left limb first), their counts and three switches in the strip above
// it, and on the picture the typical limbs, the axial plane and the hinge on a
// stereographic net, or the measured planes alone.
#pragma once

#include "fold/core/beta_analysis.h"
#include "kit/plot_window.h"

class QCheckBox;
class QLineEdit;

namespace kv {

class BetaDiagramWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit BetaDiagramWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // Records of the last file read or saved: how many planes "仅绘制产状" draws.
    int pointCount() const { return pointCount_; }

    void readDataFile() override;
    void saveDataFile() override;

private:
    void buildStrip();
    BetaSettings settings() const;
    void drawBeta();
    void drawMeasuredPlanes();

    QLineEdit* leftCount_ = nullptr;  // Text1
    QLineEdit* rightCount_ = nullptr; // Text2
    QCheckBox* overturned_ = nullptr; // Check1
    QCheckBox* withBeds_ = nullptr;   // Check2
    QCheckBox* bedsOnly_ = nullptr;   // Check3
    int pointCount_ = 0;
};

} // namespace kv
