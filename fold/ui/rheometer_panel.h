// The rheometer's analysis panel `Frame1` ("褶皱几何形态分析"), shown instead of
// the table after an analysis: the five chart buttons Option1..Option5, the
// stress-exponent box `nltext` the user types into, the viscosity-ratio box
// `mtext` it yields, and the picture to the right of them.
#pragma once

#include "fold/core/rheometer_chart.h"

#include <QGroupBox>
#include <vector>

class QLineEdit;
class QRadioButton;

namespace kv {

class PictureBox;

class RheometerPanel : public QGroupBox {
    Q_OBJECT
public:
    // Takes the picture in at its place and sizes itself around it.
    RheometerPanel(PictureBox* picture, QWidget* parent);

    QRadioButton* option(RheometerView view) const;
    QLineEdit* stressExponentBox() const { return nlText_; }  // nltext
    QLineEdit* viscosityRatioBox() const { return mText_; }   // mtext

signals:
    // The user clicked a chart button.
    void chartChosen(RheometerView view);

private:
    void addOptions();
    void addBoxes();

    std::vector<QRadioButton*> options_; // in the order of rheometerChartOptions()
    QLineEdit* nlText_ = nullptr;
    QLineEdit* mText_ = nullptr;
};

} // namespace kv
