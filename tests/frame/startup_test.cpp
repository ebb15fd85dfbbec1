// Start-up: splash, then the maximized main window with the chooser open.
#include "frame/main_window.h"
#include "app/kavrinol_tools.h"
#include "frame/startup.h"
#include "frame/splash.h"
#include "platform/ui/dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Startup, SplashShowsItsTextsAndTakesNoInput)
{
    Splash splash;
    QStringList texts;
    for (QLabel* l : splash.findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Kavrinol   v1.0")));
    EXPECT_TRUE(texts.contains(QStringLiteral("构造地质学工具软件包")));
    EXPECT_TRUE(texts.contains(QStringLiteral("适用于 Win98/2000/XP")));
    EXPECT_TRUE(splash.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(splash.size(), QSize(320, 198));
}

TEST(Startup, MainShowsTheMaximizedFrameWithTheChooser)
{
    MainWindow* frame = runMain(kavrinolTools(), 0);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(mainFrame(), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kavrinol"));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), QStringLiteral("Splash"));
    ASSERT_NE(frame->registry().find("newtask"), nullptr);
    delete frame;
    EXPECT_EQ(mainFrame(), nullptr);
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
