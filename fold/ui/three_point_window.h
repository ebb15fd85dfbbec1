// The three-point calculator: the X (north), Y (east) and Z (up) coordinates
// of three points in nine boxes, the attitude of the plane through them in one
// line of result, and a small coordinate file to keep them in. A fixed-size
// window centred on the main window, without menus of its own.
#pragma once

#include "fold/core/three_point.h"
#include "kit/tool_window.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace kv {

class ThreePointWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit ThreePointWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // The values of the nine boxes, as the calculation and the file take them.
    const ThreePoints& pointCoords() const { return coords_; }

    void openFile();  // "打开"
    void saveFile();  // "保存"
    void calculate(); // "计算"

    void placed() override;

private:
    void addCaptions();
    void addBoxes();
    void addButtons();
    void coordinateEdited(int box, const QString& text);

    ThreePoints coords_{};
    std::array<QLineEdit*, 9> coordinateBoxes_{}; // Text1..Text9
    QLineEdit* result_ = nullptr;                 // Text10
    std::array<QPushButton*, 5> buttons_{};       // Command1..Command5
};

} // namespace kv
