// The main window: its menus and status bar, the active child's menus, help and About.
#include "tests/support/main_window_fixture.h"
#include "platform/ui/help_viewer.h"

#include <QLabel>
#include <QStatusBar>
#include <QTextBrowser>
#include <QCloseEvent>
#include <QLocale>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace kv {
namespace {

using test::FakeDialogs;
using test::MainWindowTest;

// A tool window with menus of its own.
class MenuTool : public ToolWindow {
public:
    MenuTool() : ToolWindow("menutool", "menu tool") { addItem(addMenu("操作(&O)", "MOperate"), "x", "MOperateX"); }
};

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

TEST_F(MainWindowTest, AboutFromTheHelpMenuIsModalOverTheFrameAndTheChooserStaysClosed)
{
    chooser()->cancelClick();
    QApplication::processEvents();
    QString caption;
    QWidget* owner = nullptr;
    FakeDialogs::global().execAnswers.push_back([&](QDialog* box) {
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

namespace kv {
namespace {

// A tool window that may refuse to close.
class RefusingTool : public ToolWindow {
public:
    RefusingTool() : ToolWindow("refuser", "refuser") {}
    bool refuse = true;
    int asked = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++asked;
        if (refuse)
            e->ignore();
        else
            ToolWindow::closeEvent(e);
    }
};

TEST_F(MainWindowTest, CloseBoxClosesEveryToolFirstAndStopsWhenOneRefuses)
{
    QPointer<RefusingTool> refuser;
    frame->registry().show("refuser", [&] { return refuser = new RefusingTool; });
    QPointer<ToolWindow> rose = frame->registry().showTask(4);
    QApplication::processEvents();

    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(refuser->asked, 1);

    refuser->refuse = false;
    EXPECT_TRUE(frame->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(refuser.isNull());
    EXPECT_TRUE(rose.isNull());
}

TEST_F(MainWindowTest, DatePanelFollowsTheDatePastMidnight)
{
    QLabel* panel = frame->findChild<QLabel*>("Panel4");
    EXPECT_EQ(panel->text(), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    frame->today = [] { return QDate(2027, 1, 1); };
    auto* timer = frame->findChild<QTimer*>("Panel4Timer");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_LE(timer->interval(), 60 * 1000);
    QTest::qWait(0);
    frame->followDate(); // what the timer does
    EXPECT_EQ(panel->text(), QLocale::system().toString(QDate(2027, 1, 1), QLocale::ShortFormat));
}

} // namespace
} // namespace kv
