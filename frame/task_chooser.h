// The task chooser `newtask`: twelve task icons; OK opens the selected tool.
#pragma once

#include "kit/tool_window.h"

#include <vector>

class QLabel;
class QPushButton;

namespace kv {

class WindowRegistry;

class TaskChooser : public ToolWindow {
    Q_OBJECT
public:
    explicit TaskChooser(WindowRegistry& registry);
    static QString name() { return QStringLiteral("newtask"); }

    int selectedTask() const { return selectedTask_; }
    QLabel* icon(int index) const { return icons_.at(index); }

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
    int taskCount() const;

    WindowRegistry& registry_;
    QWidget* picture_ = nullptr;
    std::vector<QLabel*> icons_; // by task index
    int selectedTask_ = 0;
};

} // namespace kv
