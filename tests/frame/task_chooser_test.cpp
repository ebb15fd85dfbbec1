// The task chooser: opened at start-up, icons and border, OK, Cancel.
#include "tests/support/main_window_fixture.h"

#include <QLabel>
#include <QTest>

namespace kv {
namespace {

using test::FakeDialogs;
using test::MainWindowTest;

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

} // namespace
} // namespace kv
