// The true-thickness calculator: the stratum's dip and dip direction, the
// traverse's inclination and direction and the slope distance in five boxes,
// each checked when the user leaves it; the true thickness in a sixth; and a
// small report of the six values. A fixed-size window centred on the main
// window, without menus of its own.
#pragma once

#include "fold/core/true_thickness.h"
#include "kit/tool_window.h"

#include <QPointer>
#include <QString>
#include <array>
#include <optional>

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
    void addButton(int index, const char* caption, int topTwips);
    void addCaptionsAndBoxes();
    // A button's command; a click that left a refused box does nothing more.
    void connectCommand(QPushButton* button, void (TrueThicknessWindow::*command)());
    // The check of a box the user leaves. A refused value's message is shown
    // (then the box emptied) at once, or after the mouse button is released
    // when a click moved the focus, so no message opens between a button's
    // press and its release.
    void validate(QLineEdit* box);
    void showRefusal();
    ThicknessBoxTexts boxTexts() const;

    struct Refusal {
        QPointer<QLineEdit> box;
        QString message;
    };

    std::array<QLineEdit*, 6> boxes_{};     // Text1..Text6
    std::array<QPushButton*, 3> buttons_{}; // Command1..Command3
    std::optional<Refusal> refusal_;        // refused, message not shown yet
};

} // namespace kv
