// A plotting window on the kit's base as a tool builds one, for tests of the
// shared parts: a 20-row table, a 300 x 300 picture with a circle drawn on it,
// two drawing commands, and (for the fold rheometer's row) the picture inside
// a frame that "显示表格" hides. It opens on its table.
#pragma once

#include "app/kavrinol_tools.h"
#include "kit/plot_window.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"

#include <QAction>
#include <gtest/gtest.h>

namespace kv::test {

// The catalogue row of a window by its name; fails the test when there is none.
inline const ToolEntry& toolRow(const char* window)
{
    const ToolEntry* row = kavrinolTools().byWindow(QString::fromLatin1(window));
    EXPECT_NE(row, nullptr) << window;
    return row ? *row : kavrinolTools().entries().front();
}

// The windows whose rows carry the shared commands.
inline const char* const plottingWindows[] = {"mainrose", "fold", "joint", "yanzu", "beta_diagram", "pai_diagram"};

class StandInPlotWindow : public PlotWindow {
public:
    explicit StandInPlotWindow(const char* window) : PlotWindow(toolRow(window))
    {
        setUpTable({QStringLiteral("序号"), QStringLiteral("倾向"), QStringLiteral("倾角")}, 20, 3, 1500);
        setUpPicture(300, 300, {-150, 150, 150, -150});
        picture()->circle(0, 0, 100);
        const bool framed = traits().viewCommands == ViewCommands::ShowTable;
        if (framed) {
            frame = new QWidget(this);
            frame->setObjectName(QStringLiteral("Frame1"));
            picture()->setParent(frame);
        }
        addMenus({{QStringLiteral("画图一"), QStringLiteral("MOperateOne"), [this] { ++drawn; }},
                  {QStringLiteral("画图二"), QStringLiteral("MOperateTwo"), [this] { ++drawn; }}},
                 frame);
        if (framed) {
            frame->hide();
            picture()->show();
        } else {
            showTableView();
        }
    }

    void readDataFile() override { ++reads; }
    void saveDataFile() override { ++saves; }

    // A menu item by name; fails the test when there is none.
    QAction* item(const char* name) const
    {
        QAction* action = menuItem(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    void click(const char* name) const
    {
        if (QAction* action = item(name))
            action->trigger();
    }

    QWidget* frame = nullptr;
    int reads = 0;
    int saves = 0;
    int drawn = 0;
};

} // namespace kv::test
