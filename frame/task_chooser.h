// The task chooser `newtask`: twelve task icons; OK opens the selected tool.
#pragma once

#include "platform/ui/tool_window.h"

#include <array>

class QLabel;
class QPushButton;

namespace kv {

class WindowRegistry;

class TaskChooser : public ToolWindow {
    Q_OBJECT
public:
    explicit TaskChooser(WindowRegistry& registry);

    int selectedTask() const { return selectedTask_; }
    QLabel* icon(int index) const { return icons_[index]; }

    void image1Click(int index);
    void okClick();
    void cancelClick();
    void helpClick();

    void placed() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void formLoad();
    void setBorder(int index, bool on);

    WindowRegistry& registry_;
    QWidget* picture_ = nullptr;
    std::array<QLabel*, 12> icons_{};
    int selectedTask_ = 0;
};

} // namespace kv
