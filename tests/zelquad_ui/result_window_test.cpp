#include "tests/zelquad_ui/zelquad_fixture.h"

#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "zelquad/ui/result_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace zq::test {
namespace {

using ResultWindowTest = ZelquadTest;


TEST_F(ResultWindowTest, ButtonsKeepToTheBottomRightCorner)
{
    run("", writeFile("a.dat", "45,30\r\n"), path("a"));
    ResultWindow* w = form->resultWindow();
    ASSERT_NE(w, nullptr);
    auto* ok = w->findChild<QPushButton*>("cmdOkey");
    auto* print = w->findChild<QPushButton*>("cmdPrint");
    ASSERT_TRUE(ok && print);
    EXPECT_EQ(ok->text(), "确定(&O)");
    EXPECT_EQ(print->text(), "打印(&P)");
    ASSERT_EQ(ok->size(), QSize(81, 25)); // 1215 x 375 twips
    // 700 x 500 pixels are 10500 x 7500 twips: OK's left 10500 - 1215 - 240 = 9045,
    // its top 7500 - 375 - 480 = 6645; Print 360 twips higher.
    const struct { QSize size; QPoint ok, print; } cases[] = {
        {{700, 500}, {603, 443}, {603, 419}},
        {{60, 20}, {-37, -37}, {-37, -61}}, // smaller than the buttons: partly outside
    };
    for (const auto& c : cases) {
        w->resize(c.size);
        QApplication::processEvents();
        ASSERT_EQ(w->size(), c.size);
        EXPECT_EQ(ok->pos(), c.ok);
        EXPECT_EQ(print->pos(), c.print);
    }
    // Growing keeps the plots: the net's centre line is still drawn.
    w->resize(900, 700);
    QApplication::processEvents();
    EXPECT_GE(w->canvas()->image().width(), 900);
    EXPECT_EQ(w->canvas()->image().pixelColor(2300 / 15, 1000 / 15), QColor(0, 255, 0));
}

TEST_F(ResultWindowTest, PrintAsksForThePrinterThenPrintsOrSaysItFailed)
{
    run("", writeFile("a.dat", "45,30\r\n"), path("a"));
    ResultWindow* w = form->resultWindow();
    ASSERT_NE(w, nullptr);
    kv::Printer::instance().setPdfTarget(path("page%1.pdf"));
    w->findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "请准备好打印机，按确定按纽开始打印图形！");
    EXPECT_EQ(dialogs.messages[0].title, "打印结果");
    EXPECT_EQ(dialogs.messages[0].icon, kv::MessageIcon::Information);
    EXPECT_TRUE(QFile::exists(path("page1.pdf")));
    EXPECT_GT(QFile(path("page1.pdf")).size(), 1000);

    dialogs.reset();
    kv::Printer::instance().setPdfTarget(path("no/such/folder/page.pdf"));
    w->findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "打印出现问题！");
    EXPECT_EQ(dialogs.messages[1].title, "Zelquad");
    kv::Printer::instance().setPdfTarget(QString());
}

TEST_F(ResultWindowTest, OkClosesWithTheBandsAndTheNextRunOpensItAnew)
{
    run("", writeFile("a.dat", "45,30\r\n"), path("a"));
    QPointer<ResultWindow> w = form->resultWindow();
    ASSERT_TRUE(w);
    const QImage plots = w->canvas()->image();
    w->setAnimationInterval(1);
    w->findChild<QPushButton*>("cmdOkey")->click();
    EXPECT_TRUE(w->isClosing());
    for (int i = 0; i < 5; ++i)
        QTest::qWait(5);
    if (w) {
        // The bands go to the screen only: the stored plots stay as they were.
        EXPECT_TRUE(w->canvas()->image() == plots);
        EXPECT_NE(w->canvas()->grab().toImage().pixelColor(5, 0), QColor(Qt::white));
        saveShot(w->grab().toImage(), "result_window_closing.png");
    }
    QElapsedTimer clock;
    clock.start();
    while (w && clock.elapsed() < 5000)
        QTest::qWait(10);
    EXPECT_FALSE(w) << "the window is unloaded at the end";
    EXPECT_EQ(form->resultWindow(), nullptr);

    run("", path("a.dat"), path("a"));
    ASSERT_NE(form->resultWindow(), nullptr);
    EXPECT_TRUE(form->resultWindow()->canvas()->image() == plots);
}

} // namespace
} // namespace zq::test
