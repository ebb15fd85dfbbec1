// The preferred-orientation window ("产状优势方位"): a table of the attitudes
// of planes or of lines, a strip above it with the choice between the two and
// a description of the data set, and the net on which their scatter diagram
// and their pole density contours are drawn.
#pragma once

#include "attitude/ui/net_plot_window.h"

class QLineEdit;
class QRadioButton;

namespace kv {

class PreferredOrientationWindow : public NetPlotWindow {
    Q_OBJECT
public:
    explicit PreferredOrientationWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // "P" planes, "L" lines; empty until a type is chosen or a file is read.
    const std::string& dataType() const { return engine_.dataType; }
    const NetState& netState() const { return engine_.state; }

    void readDataFile() override;
    void saveDataFile() override;

protected:
    std::string pointerText(double x, double y) const override;

private:
    void buildStrip();
    void selectType(const std::string& type);
    static std::string today();

    PreferredOrientationEngine engine_;
    QRadioButton* planes_ = nullptr; // Option1
    QRadioButton* lines_ = nullptr;  // Option2
    QLineEdit* description_ = nullptr; // Text1
};

} // namespace kv
