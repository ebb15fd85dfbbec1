// The main window: its menus and status bar, the active child's menus, help and About.
#include "tests/support/main_window_fixture.h"
#include "platform/ui/help_viewer.h"

#include <QLabel>
#include <QStatusBar>
#include <QTextBrowser>

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
