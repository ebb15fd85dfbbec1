// The main window, the task chooser and the one-instance rule, driven offscreen.
#include "app/kavrinol_tools.h"
#include "frame/main_window.h"
#include "frame/startup.h"
#include "frame/task_chooser.h"
#include "platform/ui/help_viewer.h"
#include "kit/tool_window.h"
#include "tests/support/fake_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::FakeDialogs::global().reset();
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

    TaskChooser* chooser() const { return qobject_cast<TaskChooser*>(frame->registry().find("newtask")); }
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

TEST_F(MainWindowTest, FirstShowingOpensTheChooserOnceWithTheFirstTaskSelected)
{
    ASSERT_NE(chooser(), nullptr);
    EXPECT_EQ(chooser()->selectedTask(), 0);
    EXPECT_EQ(chooser()->icon(0)->frameStyle(), QFrame::Box | QFrame::Plain);
    EXPECT_EQ(chooser()->icon(1)->frameStyle(), int(QFrame::NoFrame));

    chooser()->cancelClick();
    QApplication::processEvents();
    EXPECT_EQ(chooser(), nullptr);

    // Later activations (e.g. after the About box closes) open nothing.
    frame->mdiFormActivate();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(frame.get(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(chooser(), nullptr);
}

TEST_F(MainWindowTest, ChooserIsCentredInTheInnerArea)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(chooser()->parentWidget());
    ASSERT_NE(sub, nullptr);
    const QSize inner = frame->innerSize();
    EXPECT_NEAR(sub->x(), (inner.width() - sub->width()) / 2, 1);
    EXPECT_NEAR(sub->y(), (inner.height() - sub->height()) / 2, 1);
}

TEST_F(MainWindowTest, OkWithoutAClickOpensTheReverseWheelTool)
{
    chooser()->okClick();
    QApplication::processEvents();
    EXPECT_EQ(chooser(), nullptr);
    ASSERT_NE(frame->registry().find("isw"), nullptr);
    EXPECT_EQ(frame->registry().find("isw")->windowTitle(), QStringLiteral("反向轮法"));
}

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

TEST_F(MainWindowTest, NewTaskWhileOpenKeepsTheSelectionAndAfterClosingStartsAfresh)
{
    chooser()->image1Click(7);
    frame->showTaskChooser();
    EXPECT_EQ(chooser()->selectedTask(), 7);
    chooser()->cancelClick();
    QApplication::processEvents();
    frame->showTaskChooser();
    EXPECT_EQ(chooser()->selectedTask(), 0);
    EXPECT_EQ(chooser()->icon(7)->frameStyle(), int(QFrame::NoFrame));
}

TEST_F(MainWindowTest, ClickingAnIconMovesTheBorder)
{
    chooser()->setFocus();
    QTest::mouseClick(chooser()->icon(9), Qt::LeftButton);
    EXPECT_EQ(chooser()->selectedTask(), 9);
    int bordered = 0;
    for (int i = 0; i < kavrinolTools().size(); ++i)
        bordered += chooser()->icon(i)->frameStyle() != int(QFrame::NoFrame);
    EXPECT_EQ(bordered, 1);
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

TEST_F(MainWindowTest, MenusAndStatusBar)
{
    EXPECT_EQ(menuTitles(), (QStringList{"MFile", "MView", "MHelp"}));
    for (const char* name : {"MFileNewTask", "MFileSpaceBar", "MFileExit", "MViewStatusBar", "MHelpContents",
                             "MHelpSpaceBar", "MHelpAbout"})
        EXPECT_NE(frame->findChild<QAction*>(name), nullptr) << name;

    QStatusBar* bar = frame->findChild<QStatusBar*>("mainform_StatusBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->findChild<QLabel*>("Panel1")->text(), QStringLiteral("F1帮助"));
    EXPECT_EQ(frame->panel3Text(), QStringLiteral("NUM"));
    frame->setPanel3Text(QStringLiteral("产状:045.0 30.0"));
    EXPECT_EQ(frame->panel3Text(), QStringLiteral("产状:045.0 30.0"));
    frame->resetPanel3();
    EXPECT_EQ(frame->panel3Text(), QStringLiteral("NUM"));

    QAction* toggle = frame->findChild<QAction*>("MViewStatusBar");
    EXPECT_TRUE(toggle->isChecked());
    const int heightWithBar = frame->innerSize().height();
    toggle->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_GT(frame->innerSize().height(), heightWithBar);
    toggle->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(toggle->isChecked());
}

// A tool window with menus of its own.
class MenuTool : public ToolWindow {
public:
    MenuTool() : ToolWindow("menutool", "menu tool") { addItem(addMenu("操作(&O)", "MOperate"), "x", "MOperateX"); }
};

TEST_F(MainWindowTest, ActiveChildMenusReplaceTheFramesMenus)
{
    const auto menuTool = [] { return new MenuTool; };
    frame->registry().show("menutool", menuTool);
    QApplication::processEvents();
    EXPECT_EQ(menuTitles(), QStringList{"MOperate"});
    // The chooser has no menus: the frame's show while it is active.
    frame->showTaskChooser();
    QApplication::processEvents();
    EXPECT_EQ(menuTitles(), (QStringList{"MFile", "MView", "MHelp"}));
    frame->registry().show("menutool", menuTool);
    QApplication::processEvents();
    EXPECT_EQ(menuTitles(), QStringList{"MOperate"});
}

TEST_F(MainWindowTest, HelpItemsOpenTheHelpAtItsStartPage)
{
    frame->activateWindow();
    frame->showHelpContents();
    for (int i = 0; i < 10 && !helpWindow(); ++i)
        QApplication::processEvents();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(helpWindow()->isVisible());
    EXPECT_TRUE(helpWindow()->source().toString().endsWith("help/index.html"));
    EXPECT_TRUE(helpWindow()->toPlainText().contains(QStringLiteral("节理玫瑰花图")));
    helpWindow()->close();
}

TEST(DelaySeconds, EndsOnTheNearestWholeSecondOfTheClock)
{
    EXPECT_DOUBLE_EQ(delayMilliseconds(100.25f, 0), 0);      // fraction below a half: no wait
    EXPECT_NEAR(delayMilliseconds(100.75f, 0), 250, 0.01);    // waits to the next second
    EXPECT_NEAR(delayMilliseconds(100.25f, 2), 1750, 0.01);
    EXPECT_NEAR(delayMilliseconds(100.75f, 2), 2250, 0.01);
    EXPECT_NEAR(delayMilliseconds(100.5f, 0), 0, 0.01);       // 100.5 rounds to 100 (even)
    EXPECT_NEAR(delayMilliseconds(101.5f, 0), 500, 0.01);     // 101.5 rounds to 102
    // Just before midnight the wait is still about two seconds.
    EXPECT_NEAR(delayMilliseconds(86399.25f, 2), 1750, 10);
}

} // namespace
} // namespace kv

namespace kv {
namespace {

TEST_F(MainWindowTest, AboutFromTheHelpMenuIsModalOverTheFrameAndTheChooserStaysClosed)
{
    chooser()->cancelClick();
    QApplication::processEvents();
    QString caption;
    QWidget* owner = nullptr;
    test::FakeDialogs::global().execAnswers.push_back([&](QDialog* box) {
        caption = box->windowTitle();
        owner = box->parentWidget();
        EXPECT_TRUE(box->isModal() || box->windowModality() != Qt::NonModal);
        return int(QDialog::Accepted);
    });
    frame->findChild<QAction*>("MHelpAbout")->trigger();
    EXPECT_EQ(caption, QStringLiteral("关于Kavrinol"));
    EXPECT_EQ(owner, frame.get());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(frame.get(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(chooser(), nullptr);
}

} // namespace
} // namespace kv
