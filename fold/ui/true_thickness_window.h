// The true-thickness calculator: the stratum's dip and dip direction, the
// traverse's inclination and direction and the slope distance in five boxes,
// each checked when the user leaves it; the true thickness in a sixth; and a
// small report of the six values. A fixed-size window centred on the main
// window, without menus of its own.
#pragma once

#include "fold/core/true_thickness.h"
#include "kit/tool_window.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace kv {

class TrueThicknessWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit TrueThicknessWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    void calculate();  // "岩层真厚度"
    void saveReport(); // "保存结果"

    void placed() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addCaptionsAndBoxes();
    void addButtons();
    // A button's command runs once the box being left has passed its check.
    void connectCommand(QPushButton* button, void (TrueThicknessWindow::*command)());
    // Shows the box's message and empties it when its value is refused;
    // false then.
    bool validate(QLineEdit* box);
    ThicknessBoxTexts boxTexts() const;

    std::array<QLineEdit*, 6> boxes_{}; // Text1..Text6
    std::array<QPushButton*, 3> buttons_{}; // Command1..Command3
    bool validating_ = false;
};

} // namespace kv
