// The main window built and shown for a test, with its chooser open as at
// start-up, and helpers to read its menus and child windows.
#pragma once

#include "app/kavrinol_tools.h"
#include "frame/main_window.h"
#include "frame/task_chooser.h"
#include "kit/tool_window.h"
#include "tests/support/fake_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

namespace kv::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeDialogs::global().reset();
        frame = std::make_unique<MainWindow>(kavrinolTools());
        setMainFrame(frame.get());
        frame->resize(1000, 700);
        frame->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        frame.reset();
        QApplication::processEvents();
    }

    TaskChooser* chooser() const { return qobject_cast<TaskChooser*>(frame->registry().find(TaskChooser::name())); }
    QStringList menuTitles() const
    {
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions())
            titles << a->menu()->objectName();
        return titles;
    }
    int openCount(const QString& name) const
    {
        int n = 0;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
            n += sub->widget() && sub->widget()->objectName() == name;
        return n;
    }

    std::unique_ptr<MainWindow> frame;
};

} // namespace kv::test
