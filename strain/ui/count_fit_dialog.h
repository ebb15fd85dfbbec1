// "应变结果" (`Fitting`): fits a curve to the boundary counts of the
// reverse-wheel window's table as it opens, plots counts and curve, and draws
// the strain ellipse from the curve's extremes. The plot and the ellipse stay
// in the picture's stored image, which "保存图像" writes.
#pragma once

#include "kit/core/table_cells.h"
#include "strain/core/count_curve_fit.h"

#include <QDialog>
#include <optional>

class QComboBox;

namespace kv {

class PictureBox;

class CountFitDialog : public QDialog {
    Q_OBJECT
public:
    // `counts` reads the count table (column 1 angle, column 2 count) and must
    // outlive the dialog. The fit with the default degree runs at once.
    CountFitDialog(CellText counts, const CountSettings& settings, QWidget* parent = nullptr);

    PictureBox* picture() const { return picture_; }
    // The extremes of the last successful fit; empty before one.
    const std::optional<CountCurveExtremes>& extremes() const { return extremes_; }

    void fitCurve();     // "曲线拟合"
    void drawEllipse();  // "应变椭圆"
    void savePicture();  // "保存图像"

private:
    void tell(const Notice& notice);

    CellText counts_;
    CountSettings settings_;
    PictureBox* picture_ = nullptr; // Picture1
    QComboBox* degree_ = nullptr;   // Combo1
    std::optional<CountCurveExtremes> extremes_;
};

} // namespace kv
