// Every tool of the catalogue opens its own window from the chooser.
#include "app/kavrinol_tools.h"
#include "frame/main_window.h"
#include "frame/task_chooser.h"
#include "kit/tool_window.h"
#include "tests/support/fake_dialogs.h"

#include <QApplication>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

TEST(ToolCatalogue, EveryTaskHasOneRowAndOnePlaceInTheChooser)
{
    const ToolCatalogue& tools = kavrinolTools();
    ASSERT_EQ(tools.size(), 12);
    QSet<QString> names;
    QSet<int> places;
    for (int task = 0; task < tools.size(); ++task) {
        const ToolEntry* row = tools.byTask(task);
        ASSERT_NE(row, nullptr) << task;
        EXPECT_EQ(tools.byWindow(row->windowName()), row);
        names.insert(row->windowName());
        places.insert(row->column * 10 + row->row);
    }
    EXPECT_EQ(names.size(), 12);
    EXPECT_EQ(places.size(), 12);
}

TEST(ToolCatalogue, EveryToolOpensItsOwnWindowFromTheChooser)
{
    test::FakeDialogs::global().reset();
    MainWindow frame(kavrinolTools());
    setMainFrame(&frame);
    frame.show();
    QApplication::processEvents();
    for (const ToolEntry& row : kavrinolTools().entries()) {
        frame.showTaskChooser();
        auto* chooser = qobject_cast<TaskChooser*>(frame.registry().find(TaskChooser::name()));
        ASSERT_NE(chooser, nullptr);
        chooser->image1Click(row.task);
        chooser->okClick();
        QApplication::processEvents();
        ToolWindow* w = frame.registry().find(row.windowName());
        ASSERT_NE(w, nullptr) << row.window;
        EXPECT_EQ(w->windowTitle(), row.windowCaption());
        EXPECT_NE(QLatin1String(w->metaObject()->className()), QLatin1String("kv::ToolWindow"))
            << row.window << " opens a plain window";
    }
    setMainFrame(nullptr);
}

} // namespace
} // namespace kv
