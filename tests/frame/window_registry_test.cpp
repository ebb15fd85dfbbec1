// One window per tool inside the main window: opened, brought to the front, opened afresh after closing.
#include "tests/support/main_window_fixture.h"

#include <QLabel>
#include <QPointer>
#include <cstdlib>

namespace kv {
namespace {

using test::FakeDialogs;
using test::MainWindowTest;

TEST_F(MainWindowTest, EveryTaskOpensItsWindowOnceAndAgainBringsItToTheFront)
{
    for (const ToolEntry& t : kavrinolTools().entries()) {
        frame->showTaskChooser();
        ASSERT_NE(chooser(), nullptr);
        chooser()->image1Click(t.task);
        EXPECT_EQ(chooser()->selectedTask(), t.task);
        EXPECT_EQ(chooser()->icon(t.task)->frameStyle(), QFrame::Box | QFrame::Plain);
        chooser()->okClick();
        QApplication::processEvents();
        ToolWindow* w = frame->registry().find(t.windowName());
        ASSERT_NE(w, nullptr) << t.window;
        EXPECT_EQ(openCount(t.windowName()), 1) << t.window;
    }
    // Choosing an open tool again: the same window, in front, no second one.
    ToolWindow* rose = frame->registry().find("mainrose");
    frame->showTaskChooser();
    chooser()->image1Click(4);
    chooser()->okClick();
    QApplication::processEvents();
    EXPECT_EQ(frame->registry().find("mainrose"), rose);
    EXPECT_EQ(openCount("mainrose"), 1);
    EXPECT_EQ(frame->mdiArea()->activeSubWindow()->widget(), rose);
}

TEST_F(MainWindowTest, ClosedToolOpensAfresh)
{
    frame->registry().showTask(3);
    QPointer<ToolWindow> first = frame->registry().find("joint");
    first->unload();
    QApplication::processEvents();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(frame->registry().find("joint"), nullptr);
    EXPECT_NE(frame->registry().showTask(3), nullptr);
    EXPECT_EQ(openCount("joint"), 1);
}

} // namespace
} // namespace kv

namespace kv {
namespace {

using test::MainWindowTest;

QMdiSubWindow* frameOf(ToolWindow* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); }

TEST_F(MainWindowTest, ChoosingAnOpenToolKeepsItMaximizedAndRestoresItOnlyWhenMinimized)
{
    QMdiSubWindow* rose = frameOf(frame->registry().showTask(4));
    rose->showMaximized();
    frame->registry().showTask(4);
    EXPECT_TRUE(rose->isMaximized());
    rose->showMinimized();
    frame->registry().showTask(4);
    EXPECT_FALSE(rose->isMinimized());
    EXPECT_FALSE(rose->isMaximized());
}

TEST_F(MainWindowTest, FixedSizeWindowsKeepTheirSizeWhileAnotherWindowIsMaximized)
{
    QMdiSubWindow* threePoint = frameOf(frame->registry().showTask(5));
    const QRect placed = threePoint->geometry();
    QMdiSubWindow* rose = frameOf(frame->registry().showTask(4));
    rose->showMaximized();
    QApplication::processEvents();

    frame->mdiArea()->setActiveSubWindow(threePoint); // as Ctrl+Tab does
    QApplication::processEvents();
    EXPECT_FALSE(threePoint->isMaximized());
    EXPECT_EQ(threePoint->geometry(), placed);
    EXPECT_TRUE(rose->isMaximized());

    frame->showTaskChooser();
    QApplication::processEvents();
    QMdiSubWindow* chooserFrame = frameOf(chooser());
    EXPECT_FALSE(chooserFrame->isMaximized());
    EXPECT_EQ(chooser()->size(), chooser()->minimumSize());
    const QRect area = frame->mdiArea()->viewport()->rect();
    const QRect at = chooserFrame->geometry();
    EXPECT_LE(std::abs(at.left() - (area.right() - at.right())), 1) << "centred across";
    EXPECT_LE(std::abs(at.top() - (area.bottom() - at.bottom())), 1) << "centred down";

    // A sizable window still takes the maximized one's place.
    QMdiSubWindow* pi = frameOf(frame->registry().showTask(10));
    QApplication::processEvents();
    EXPECT_TRUE(pi->isMaximized());
    EXPECT_FALSE(rose->isMaximized());
}

TEST_F(MainWindowTest, ToolWindowsOpenWhollyInsideTheChildArea)
{
    frame->resize(1280, 800);
    QApplication::processEvents();
    const QRect area(QPoint(0, 0), frame->mdiArea()->viewport()->size());
    for (int task : {3, 4, 9, 10, 11, 0, 1, 2, 6, 8})
        frame->registry().showTask(task);
    frame->resize(700, 500); // a small frame: the next windows still fit
    QApplication::processEvents();
    const QRect smallArea(QPoint(0, 0), frame->mdiArea()->viewport()->size());
    for (int task : {5, 7}) {
        ToolWindow* w = frame->registry().showTask(task);
        EXPECT_TRUE(smallArea.contains(frameOf(w)->geometry())) << w->objectName().toStdString();
    }
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList()) {
        if (sub->widget()->objectName() == "threedots" || sub->widget()->objectName() == "depth")
            continue;
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->widget()->objectName().toStdString();
    }
}

} // namespace
} // namespace kv
