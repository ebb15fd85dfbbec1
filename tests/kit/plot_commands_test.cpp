// The plotting windows' shared commands (print, save picture, view switch,
// close, help) as each window's catalogue row sets them.
#include "kit/plot_commands.h"
#include "platform/ui/printer.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/printed_page.h"
#include "tests/support/stand_in_plot_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::FakeDialogs;
using test::FakeFrame;
using test::plottingWindows;
using test::StandInPlotWindow;

// Items by the object names each window gives them.
const PlotMenuNames& namesOf(const char* window) { return test::toolRow(window).plotTraits().names; }

class ToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeDialogs::global().reset();
        setMainFrame(&frame);
    }
    void TearDown() override
    {
        Printer::instance().endDocument();
        Printer::instance().setPdfTarget(QString());
        setMainFrame(nullptr);
    }
    FakeDialogs& fake() { return FakeDialogs::global(); }
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeFrame frame;
};

TEST_F(ToolCommandsTest, FailedPrintShowsTheWindowsOwnMessage)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed: a print would really go out";
    const struct {
        const char* window;
        const char* text;
        const char* title;
    } cases[] = {
        {"mainrose", "打印出现问题！", "提示"}, {"fold", "打印出错！", "提示"},
        {"joint", "打印出现问题！", "提醒"},    {"yanzu", "打印出现问题！", "提示"},
        {"beta_diagram", "打印出现问题！", "提示"}, {"pai_diagram", "打印出现问题！", "提示"},
    };
    for (const auto& c : cases) {
        fake().reset();
        StandInPlotWindow w(c.window);
        w.picture()->show();
        w.click(namesOf(c.window).print);
        ASSERT_EQ(fake().messages.size(), 1u) << c.window;
        EXPECT_EQ(fake().messages[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(fake().messages[0].title, QString::fromUtf8(c.title));
        EXPECT_FALSE(Printer::instance().hasOpenPage());
    }
}

TEST_F(ToolCommandsTest, EveryPrintIsADocumentOfItsOwn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Printer::instance().setPdfTarget(dir.filePath(QStringLiteral("page%1.pdf")));

    StandInPlotWindow joint("joint");
    joint.click("MFilePrint"); // the picture is hidden: joint prints it all the same
    EXPECT_FALSE(Printer::instance().hasOpenPage()) << "the page went out at once";
    joint.click("MFilePrint");

    StandInPlotWindow fold("fold"); // on its table, the frame hidden: the picture is printed
    fold.click("FileMenuPrint");

    EXPECT_TRUE(fake().messages.empty());
    for (const char* page : {"page1.pdf", "page2.pdf", "page3.pdf"}) {
        const QFileInfo pdf(dir.filePath(QString::fromLatin1(page)));
        EXPECT_TRUE(pdf.exists() && pdf.size() > 0) << page;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("page4.pdf"))));
}

TEST_F(ToolCommandsTest, APrintedPictureSitsAtItsPlaceOnThePageAtItsOwnSize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Printer::instance().setPdfTarget(dir.filePath(QStringLiteral("page%1.pdf")));
    StandInPlotWindow joint("joint");
    joint.picture()->setBackColor(Qt::black); // the whole 300 x 300 picture is ink
    joint.click("MFilePrint");
    ASSERT_TRUE(fake().messages.empty());
    const QRect inked = test::inkOnPrintedPage(dir.filePath(QStringLiteral("page1.pdf")), dir.path());
    EXPECT_NEAR(inked.left(), test::pictureOriginOnPage().x(), 1.5);
    EXPECT_NEAR(inked.top(), test::pictureOriginOnPage().y(), 1.5);
    EXPECT_NEAR(inked.width(), 300, 1.5);
    EXPECT_NEAR(inked.height(), 300, 1.5);
}

TEST_F(ToolCommandsTest, MainRosePrintsNothingWhileItsTableIsShown)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Printer::instance().setPdfTarget(dir.filePath(QStringLiteral("rose%1.pdf")));

    StandInPlotWindow rose("mainrose");
    ASSERT_TRUE(rose.item("MOperatepicgrid")->isChecked());
    rose.click("MFilePrint");
    EXPECT_TRUE(fake().messages.empty());
    EXPECT_FALSE(Printer::instance().hasOpenPage());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    rose.click("MOperatepicgrid"); // to the picture
    rose.click("MFilePrint");
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("rose1.pdf"))));
}

TEST_F(ToolCommandsTest, SavePictureAsksWithTheWindowsFilterAndWritesTheHiddenPicture)
{
    const QString filterA = QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*");
    const QString filterB = QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* window : plottingWindows) {
        fake().reset();
        StandInPlotWindow w(window);
        const QString name = dir.filePath(QString::fromLatin1(window) + QStringLiteral(".bmp"));
        fake().saveAnswers.push_back(QStringLiteral("  ") + name + QStringLiteral(" "));
        w.click(namesOf(window).savePicture);

        const bool usesA = QLatin1String(window) == "mainrose" || QLatin1String(window) == "joint";
        ASSERT_EQ(fake().saveFilters.size(), 1);
        EXPECT_EQ(fake().saveFilters[0], usesA ? filterA : filterB) << window;
        EXPECT_TRUE(fake().messages.empty());
        QImage written;
        ASSERT_TRUE(written.load(name, "BMP")) << window;
        EXPECT_EQ(written.size(), QSize(300, 300));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), w.picture()->image().convertToFormat(QImage::Format_RGB32))
            << "the drawing is in the file";
    }
}

TEST_F(ToolCommandsTest, CancelledSaveWritesNothingAndUnwritableFileIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StandInPlotWindow w("pai_diagram");

    fake().saveAnswers.push_back(QString());
    w.click("MFileSavePicture");
    EXPECT_TRUE(fake().messages.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    fake().saveAnswers.push_back(dir.filePath(QStringLiteral("no such folder/rose.bmp")));
    w.click("MFileSavePicture");
    ASSERT_EQ(fake().messages.size(), 1u);
    EXPECT_EQ(fake().messages[0].text, pictureNotSavedText());
    EXPECT_EQ(fake().messages[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(w.isEnabled()) << "the window goes on";
}

TEST_F(ToolCommandsTest, ViewCommandsSwitchBetweenTableAndPicture)
{
    StandInPlotWindow joint("joint");
    joint.click("MOperatePicView");
    EXPECT_FALSE(joint.picture()->isHidden());
    EXPECT_TRUE(joint.grid()->isHidden());
    joint.click("MOperateDataView");
    EXPECT_TRUE(joint.picture()->isHidden());
    EXPECT_FALSE(joint.grid()->isHidden());
    EXPECT_EQ(joint.menuItem("MOperatepicgrid"), nullptr);

    StandInPlotWindow fold("fold");
    fold.frame->show();
    fold.grid()->hide();
    fold.click("OperateMenuShowTable");
    EXPECT_FALSE(fold.grid()->isHidden());
    EXPECT_TRUE(fold.frame->isHidden());
    EXPECT_FALSE(fold.picture()->isHidden()) << "the table view hides the frame, not the picture";
}

TEST_F(ToolCommandsTest, MainRoseDataBrowseMarkMeansTheTableIsShown)
{
    StandInPlotWindow rose("mainrose");
    QAction* mark = rose.item("MOperatepicgrid");
    ASSERT_TRUE(mark->isCheckable());
    ASSERT_TRUE(mark->isChecked());

    mark->trigger();
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(rose.picture()->isHidden());
    EXPECT_TRUE(rose.grid()->isHidden());

    mark->trigger(); // twice: back where it started
    EXPECT_TRUE(mark->isChecked());
    EXPECT_TRUE(rose.picture()->isHidden());
    EXPECT_FALSE(rose.grid()->isHidden());

    rose.showPictureView(); // what a rose command does
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(rose.picture()->isHidden());
}

TEST_F(ToolCommandsTest, ClosingGivesPanel3BackOnlyForJointAndYanzu)
{
    for (const char* name : plottingWindows) {
        const bool resets = QLatin1String(name) == "joint" || QLatin1String(name) == "yanzu";

        // By File > "退出".
        frame.panel3 = QStringLiteral("产状:123.0/45.0");
        QPointer<StandInPlotWindow> byMenu = new StandInPlotWindow(name);
        byMenu->show();
        byMenu->click(namesOf(name).exit);
        deleteClosedWindows();
        EXPECT_TRUE(byMenu.isNull()) << name << " is unloaded";
        EXPECT_EQ(frame.panel3 == FakeFrame::numLock(), resets) << name << " by the menu";

        // By the close box of its frame inside the main window.
        frame.panel3 = QStringLiteral("产状:123.0/45.0");
        QMdiArea area;
        QPointer<StandInPlotWindow> byBox = new StandInPlotWindow(name);
        QMdiSubWindow* sub = area.addSubWindow(byBox);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        sub->show();
        sub->close();
        deleteClosedWindows();
        EXPECT_TRUE(byBox.isNull()) << name;
        EXPECT_EQ(frame.panel3 == FakeFrame::numLock(), resets) << name << " by the close box";
    }
}

TEST_F(ToolCommandsTest, HelpItemsGoThroughTheMainWindow)
{
    StandInPlotWindow w("yanzu");
    w.click("MHelpContents");
    w.click("MHelpAbout");
    EXPECT_EQ(frame.helpShown, 1);
    EXPECT_EQ(frame.aboutShown, 1);
}

} // namespace
} // namespace kv
