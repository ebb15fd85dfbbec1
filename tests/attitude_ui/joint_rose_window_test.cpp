// The joint rose window as a user drives it: the table, the file commands
// through the scripted dialogs, the three roses on the picture, saving and
// printing the picture, and the table/picture switch.
#include "attitude/ui/joint_rose_window.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kv {
namespace {

using test::FakeDialogs;

// Colour values, red in the low byte, as PictureBox::point gives them.
constexpr std::int64_t kBlack = 0x000000;
constexpr std::int64_t kCyan = 0xFFFF00;
constexpr std::int64_t kRed = 0x0000FF;
constexpr std::int64_t kGreen = 0x00FF00;

struct Joint {
    const char* dipDirection;
    const char* dip;
};

class JointRoseWindowTest : public ::testing::Test, protected test::TestFolder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        dialogs().reset();
        window_ = std::make_unique<JointRoseWindow>(test::toolRow("mainrose"));
    }
    void TearDown() override { EXPECT_TRUE(dialogs().allAnswersTaken()); }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    PictureBox* picture() const { return window_->picture(); }
    DataGrid* grid() const { return window_->grid(); }

    QAction* item(const char* name) const { return test::menuItemOf(*window_, name); }
    void click(const char* name) const { test::clickItem(*window_, name); }

    void fillTable(const std::vector<Joint>& joints) const
    {
        int row = 1;
        for (const Joint& j : joints) {
            grid()->setTextMatrix(row, 1, QString::fromUtf8(j.dipDirection));
            grid()->setTextMatrix(row, 2, QString::fromUtf8(j.dip));
            ++row;
        }
    }

    // Whether a pixel of the colour lies within one pixel of the user point.
    bool inkNear(double x, double y, std::int64_t colour) const { return test::inkNear(*picture(), x, y, colour); }

    // Pixels of the box (user corners) that are not white.
    int inkedPixels(double x1, double y1, double x2, double y2) const
    {
        const QImage image = picture()->image();
        const QPoint a = picture()->toPixel(x1, y1).toPoint(), b = picture()->toPixel(x2, y2).toPoint();
        int inked = 0;
        for (int px = std::min(a.x(), b.x()); px <= std::max(a.x(), b.x()); ++px)
            for (int py = std::min(a.y(), b.y()); py <= std::max(a.y(), b.y()); ++py)
                if (image.rect().contains(px, py) && (image.pixel(px, py) & 0xFFFFFF) != 0xFFFFFF)
                    ++inked;
        return inked;
    }

    int pixelsOf(std::int64_t colour) const { return test::pixelsOf(picture()->image(), test::rgbOf(colour)); }

    bool tableShown() const { return !grid()->isHidden() && picture()->isHidden(); }
    bool pictureShown() const { return grid()->isHidden() && !picture()->isHidden(); }

    void expectFrameDrawn() const
    {
        EXPECT_EQ(picture()->point(0, 100), kBlack);   // top of the circle
        EXPECT_EQ(picture()->point(0, -100), kBlack);  // bottom of the circle
        EXPECT_EQ(picture()->point(-50, 0), kBlack);   // base line
        EXPECT_GT(inkedPixels(-4, 120, 8, 108), 5);    // "N"
        EXPECT_GT(inkedPixels(-70, 140, 60, 128), 40); // title
    }

    std::unique_ptr<JointRoseWindow> window_;
};

// ---- opening ---------------------------------------------------------------

TEST_F(JointRoseWindowTest, OpensOnItsTitledNumberedTable)
{
    EXPECT_EQ(window_->objectName(), "mainrose");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("玫瑰花图"));
    EXPECT_EQ(picture()->objectName(), "Picture1");
    EXPECT_EQ(grid()->objectName(), "Grid1");
    EXPECT_TRUE(tableShown());
    ASSERT_NE(item("MOperatepicgrid"), nullptr);
    EXPECT_TRUE(item("MOperatepicgrid")->isCheckable());
    EXPECT_TRUE(item("MOperatepicgrid")->isChecked());

    EXPECT_EQ(picture()->pictureSize(), QSize(300, 300));
    EXPECT_EQ(picture()->toPixel(0, 0), QPointF(150, 150));
    EXPECT_EQ(picture()->toPixel(-150, 150), QPointF(0, 0));
    EXPECT_EQ(grid()->rows(), 500);
    EXPECT_EQ(grid()->cols(), 26);
    EXPECT_EQ(grid()->textMatrix(0, 0), QStringLiteral("序号"));
    EXPECT_EQ(grid()->textMatrix(0, 1), QStringLiteral("倾向"));
    EXPECT_EQ(grid()->textMatrix(0, 2), QStringLiteral("倾角"));
    EXPECT_NEAR(grid()->colWidthTwips(1), 2000, 15); // whole pixels: 133 px
    EXPECT_NEAR(grid()->colWidthTwips(2), 2000, 15);
    EXPECT_EQ(grid()->textMatrix(1, 0), "1");
    EXPECT_EQ(grid()->textMatrix(499, 0), "499");
    EXPECT_TRUE(grid()->textMatrix(1, 1).isEmpty());
}

TEST_F(JointRoseWindowTest, MenusCarryTheirNamesAndCaptions)
{
    const struct {
        const char* name;
        const char* caption;
    } items[] = {
        {"MFileInputdata", "数据文件"},      {"MFileSaveData", "保存数据"},
        {"MFileSavepicture", "保存图像"},    {"MFilePrint", "打印图像"},
        {"MFileExit", "退出"},               {"MOperateQingxiang", "倾向玫瑰花图"},
        {"MOperateZouxiang", "走向玫瑰花图"}, {"MOperateQingjiao", "倾角玫瑰花图"},
        {"MOperatepicgrid", "数据浏览"},      {"MHelpContents", "内容"},
        {"MHelpAbout", "关于..."},
    };
    for (const auto& i : items) {
        QAction* action = item(i.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(i.caption)) << i.name;
    }

    QStringList titles;
    for (QMenu* menu : window_->menus())
        titles << menu->title();
    EXPECT_EQ(titles, QStringList({"文件(&F)", "操作(&O)", "帮助(&H)"}));
}

TEST_F(JointRoseWindowTest, PictureStaysCentredAndTableFillsTheWindow)
{
    const struct {
        QSize window;
        QPoint pictureAt;
    } cases[] = {
        {{640, 480}, {170, 90}},
        {{800, 300}, {250, 0}},
        {{200, 100}, {-50, -100}}, // smaller than the picture: nothing clamps it
    };
    for (const auto& c : cases) {
        window_->resize(c.window);
        window_->show();
        QApplication::processEvents();
        EXPECT_EQ(picture()->pos(), c.pictureAt) << c.window.width() << "x" << c.window.height();
        EXPECT_EQ(grid()->geometry(), QRect(QPoint(0, 0), c.window));
    }
}

// ---- the roses -------------------------------------------------------------

struct OneJointCase {
    const char* command;
    std::int64_t colour;
    std::int64_t maxnum;
    double onArmX, onArmY;   // a point halfway along the arm
    double vertexX, vertexY; // where the arm ends
};

TEST_F(JointRoseWindowTest, OneJointDrawsOneArmInEachRose)
{
    const OneJointCase cases[] = {
        {"MOperateQingxiang", kCyan, 1, 35, 35, 70.71, 70.71},   // dip direction 45, radius 100
        {"MOperateZouxiang", kRed, 1, -35, 35, -71, 71},         // strike, a quarter turn back
        {"MOperateQingjiao", kGreen, 0, 12, 12, 23.57, 23.57},   // dip 30 of 90
    };
    fillTable({{"45", "30"}});
    for (const OneJointCase& c : cases) {
        SCOPED_TRACE(c.command);
        click(c.command);
        EXPECT_TRUE(dialogs().messages.empty());
        EXPECT_TRUE(pictureShown());
        EXPECT_FALSE(item("MOperatepicgrid")->isChecked());
        EXPECT_EQ(window_->jointnum(), 1);
        EXPECT_EQ(window_->maxnum(), c.maxnum);
        ASSERT_EQ(window_->jointdata().size(), 1u);
        EXPECT_EQ(window_->jointdata()[0].dipDirection, 45);
        EXPECT_EQ(window_->jointdata()[0].dip, 30);

        EXPECT_TRUE(inkNear(c.onArmX, c.onArmY, c.colour));
        EXPECT_TRUE(inkNear(c.vertexX, c.vertexY, c.colour));
        EXPECT_FALSE(inkNear(c.vertexX * 1.2, c.vertexY * 1.2, c.colour)); // the arm stops there
        EXPECT_FALSE(inkNear(-c.onArmX, -c.onArmY, c.colour));             // nothing opposite
        expectFrameDrawn();
        EXPECT_GT(inkedPixels(-65, -130, 60, -143), 40); // legend
    }
}

TEST_F(JointRoseWindowTest, EachRoseClearsThePreviousOne)
{
    fillTable({{"45", "30"}});
    click("MOperateQingxiang");
    ASSERT_GT(pixelsOf(kCyan), 50);
    click("MOperateZouxiang");
    EXPECT_EQ(pixelsOf(kCyan), 0);
    EXPECT_GT(pixelsOf(kRed), 50);
}

TEST_F(JointRoseWindowTest, BadTableIsReportedOnceAndTheRowsAboveAreDrawn)
{
    const char* const roses[] = {"MOperateQingxiang", "MOperateZouxiang", "MOperateQingjiao"};
    for (const char* rose : roses) {
        SCOPED_TRACE(rose);
        fillTable({{"45", "30"}, {"200", "60"}, {"120", " "}, {"300", "10"}});
        dialogs().reset();
        click(rose);
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(window_->jointnum(), 2); // rows 1 and 2; row 4 is never reached
        EXPECT_EQ(window_->maxnum(), rose == roses[2] ? 0 : 1);
        EXPECT_TRUE(pictureShown());
    }
}

TEST_F(JointRoseWindowTest, EmptyTableIsReportedOnceAndDrawsTheFrameAlone)
{
    const struct {
        const char* rose;
        std::int64_t colour;
    } roses[] = {{"MOperateQingxiang", kCyan}, {"MOperateZouxiang", kRed}, {"MOperateQingjiao", kGreen}};
    // An empty table, and a first row whose dip is missing: both a bad row and
    // no record, still one message.
    const std::vector<Joint> tables[] = {{}, {{"45", ""}}};
    for (const auto& table : tables) {
        for (const auto& r : roses) {
            SCOPED_TRACE(r.rose);
            fillTable(table);
            dialogs().reset();
            click(r.rose);
            ASSERT_EQ(dialogs().messages.size(), 1u);
            EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
            EXPECT_EQ(window_->jointnum(), 0);
            EXPECT_EQ(window_->maxnum(), 0);
            expectFrameDrawn();
            EXPECT_LE(pixelsOf(r.colour), 1); // at most the centre dot
            EXPECT_GT(inkedPixels(-65, -130, 60, -143), 40); // legend with 0 joints
        }
    }
}

// ---- a whole session through the menus ---------------------------------------

TEST_F(JointRoseWindowTest, ReadFileDrawRosesEditAndSave)
{
    const QString input = writeFile("joints.txt", "135,45\r\n20 30\r\n300,  80\r\n");
    dialogs().openAnswers.push_back(input);
    click("MFileInputdata");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(grid()->textMatrix(1, 1), "135");
    EXPECT_EQ(grid()->textMatrix(2, 2), "30");
    EXPECT_EQ(grid()->textMatrix(3, 2), "80");
    EXPECT_TRUE(tableShown());

    click("MOperateQingxiang");
    EXPECT_EQ(window_->jointnum(), 3);
    EXPECT_EQ(window_->maxnum(), 1);
    EXPECT_TRUE(inkNear(70.71, -70.71, kCyan)); // 135: south-east, full radius
    EXPECT_TRUE(inkNear(34.2, 93.97, kCyan));   // 20
    EXPECT_TRUE(inkNear(-86.6, 50, kCyan));     // 300
    click("MOperateZouxiang");
    EXPECT_EQ(window_->maxnum(), 1);
    EXPECT_TRUE(inkNear(71, 71, kRed));  // dip direction 135: strike 45
    EXPECT_TRUE(inkNear(-94, 34, kRed)); // 20: strike 110, drawn at -70
    EXPECT_TRUE(inkNear(50, 87, kRed));  // 300: strike 120, drawn at 30
    click("MOperateQingjiao");
    EXPECT_TRUE(inkNear(-76.98, 44.44, kGreen)); // 300 / 80: radius 88.9

    // Back to the table, type a new dip for row 2 and save the table.
    click("MOperatepicgrid");
    EXPECT_TRUE(tableShown());
    grid()->setCurrentCell(2, 2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClicks(grid(), QStringLiteral("62.5x"));
    EXPECT_EQ(grid()->textMatrix(2, 2), "62.5");
    grid()->setCurrentCell(3, 1);
    QTest::keyClick(grid(), Qt::Key_Backspace);
    EXPECT_EQ(grid()->textMatrix(3, 1), "30");

    const QString output = path("saved.txt");
    dialogs().saveAnswers.push_back(output);
    click("MFileSaveData");
    EXPECT_TRUE(dialogs().messages.empty());
    // Each number with its sign place and trailing blank; the dip starts in column 15.
    const QByteArray expected = QByteArray(" 135 ") + QByteArray(9, ' ') + " 45 \r\n" //
                                + QByteArray(" 20 ") + QByteArray(10, ' ') + " 62 \r\n" // 62.5: to the even 62
                                + QByteArray(" 30 ") + QByteArray(10, ' ') + " 80 \r\n";
    EXPECT_EQ(readFile(output), expected);
}

TEST_F(JointRoseWindowTest, AFileThatStopsEarlyKeepsTheRecordsReadBeforeTheFault)
{
    const QByteArray many = test::numberedRecords(500);
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList directions; // column 1 of rows 1 to 3 afterwards
        QStringList dips;
        const char* row499;
    } files[] = {
        {"cut.txt", "50,60\r\n70\r\n", {"50", "", ""}, {"60", "", ""}, ""},
        {"first-cut.txt", "50\r\n", {"", "", ""}, {"", "", ""}, ""},
        {"500.txt", many, {"1", "2", "3"}, {"45", "45", "45"}, "499"}, // the 500th finds no row
        {"not-gb.txt", "50,60\r\n\xFF\xFE,70\r\n", {"10", "30", ""}, {"20", "40", ""}, ""},
        {"missing.txt", QByteArray(), {"10", "30", ""}, {"20", "40", ""}, ""},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        dialogs().reset();
        dialogs().openAnswers.push_back(writeFile("first.txt", "10,20\r\n30,40\r\n"));
        click("MFileInputdata");
        ASSERT_EQ(grid()->textMatrix(2, 2), "40");
        const bool missing = QLatin1String(f.name) == "missing.txt";
        const QString path = missing ? dir_.filePath(QString::fromLatin1(f.name)) : writeFile(f.name, f.bytes);
        dialogs().openAnswers.push_back(path);
        click("MFileInputdata");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误,请检查！"));
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(grid()->textMatrix(row, 1), f.directions[row - 1]) << row;
            EXPECT_EQ(grid()->textMatrix(row, 2), f.dips[row - 1]) << row;
        }
        EXPECT_EQ(grid()->textMatrix(499, 1), QString::fromLatin1(f.row499));
        EXPECT_TRUE(tableShown());
        if (missing)
            continue;
        EXPECT_EQ(readFile(path), f.bytes) << "the file read stays as it was";
    }
}

TEST_F(JointRoseWindowTest, ReadingInPictureViewBringsTheTableToTheFrontAndStillPrintsTheRose)
{
    fillTable({{"45", "30"}});
    click("MOperateQingxiang");
    ASSERT_TRUE(pictureShown());
    dialogs().openAnswers.push_back(writeFile("one.txt", "10,20\r\n"));
    click("MFileInputdata");
    EXPECT_FALSE(grid()->isHidden());
    QWidget* inFront = window_->childAt(window_->width() / 2, window_->height() / 2);
    while (inFront && inFront->parentWidget() != window_.get())
        inFront = inFront->parentWidget();
    EXPECT_EQ(inFront, grid()) << "the table lies over the picture";
    EXPECT_TRUE(item("MOperatepicgrid")->isChecked());
    EXPECT_EQ(grid()->textMatrix(1, 1), "10");
    // The picture keeps its visible flag: the last rose is still printed.
    Printer::instance().endDocument();
    Printer::instance().setPdfTarget(dir_.filePath(QStringLiteral("after-read-%1.pdf")));
    click("MFilePrint");
    EXPECT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("after-read-1.pdf"))));
    Printer::instance().setPdfTarget(QString());

    // A cancelled dialog changes nothing.
    click("MOperateQingxiang");
    dialogs().openAnswers.push_back(QString());
    click("MFileInputdata");
    EXPECT_TRUE(pictureShown());
    EXPECT_FALSE(item("MOperatepicgrid")->isChecked());
}

TEST_F(JointRoseWindowTest, SavedBitmapHoldsThePicture)
{
    fillTable({{"45", "30"}, {"135", "60"}});
    click("MOperateQingjiao");
    const QString path = dir_.filePath(QStringLiteral("rose.bmp"));
    dialogs().saveAnswers.push_back(QStringLiteral("  ") + path + QStringLiteral(" "));
    click("MFileSavepicture");
    EXPECT_EQ(dialogs().saveFilters, QStringList({QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*")}));
    EXPECT_TRUE(dialogs().messages.empty());

    QImage reloaded;
    ASSERT_TRUE(reloaded.load(path, "BMP"));
    EXPECT_EQ(reloaded.convertToFormat(QImage::Format_RGB32), picture()->image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(JointRoseWindowTest, PrintsOnlyWhileThePictureIsShown)
{
    Printer::instance().endDocument();
    Printer::instance().setPdfTarget(dir_.filePath(QStringLiteral("page-%1.pdf")));
    const QString firstPage = dir_.filePath(QStringLiteral("page-1.pdf"));

    click("MFilePrint"); // table view: nothing printed, nothing said
    EXPECT_FALSE(QFile::exists(firstPage));
    EXPECT_TRUE(dialogs().messages.empty());

    fillTable({{"45", "30"}});
    click("MOperateZouxiang");
    click("MFilePrint");
    EXPECT_TRUE(dialogs().messages.empty());
    QFile pdf(firstPage);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_FALSE(Printer::instance().hasOpenPage()); // the page went out at once

    Printer::instance().setPdfTarget(QString());
}

TEST_F(JointRoseWindowTest, DataBrowseTwiceReturnsToTheSameView)
{
    fillTable({{"45", "30"}});
    for (bool fromPicture : {false, true}) {
        SCOPED_TRACE(fromPicture ? "from the picture" : "from the table");
        if (fromPicture)
            click("MOperateQingxiang");
        const bool checked = item("MOperatepicgrid")->isChecked();
        const bool table = tableShown();
        const QImage drawn = picture()->image();

        click("MOperatepicgrid");
        EXPECT_EQ(item("MOperatepicgrid")->isChecked(), !checked);
        EXPECT_EQ(tableShown(), !table);
        EXPECT_EQ(pictureShown(), table);
        click("MOperatepicgrid");
        EXPECT_EQ(item("MOperatepicgrid")->isChecked(), checked);
        EXPECT_EQ(tableShown(), table);
        EXPECT_EQ(picture()->image(), drawn); // switching draws nothing
    }
}

// ---- a real data set ----------------------------------------------------------

// 28 normal-fault planes (dip direction, dip) of a published example data set.
const std::vector<Joint> normalFaults = {
    {"145", "40"}, {"338", "35"}, {"60", "56"},  {"158", "54"}, {"118", "48"}, {"34", "55"},  {"344", "17"},
    {"166", "40"}, {"10", "85"},  {"18", "37"},  {"234", "43"}, {"296", "25"}, {"100", "54"}, {"190", "40"},
    {"92", "60"},  {"182", "52"}, {"156", "68"}, {"224", "54"}, {"88", "38"},  {"38", "32"},  {"318", "24"},
    {"254", "54"}, {"165", "47"}, {"164", "50"}, {"115", "75"}, {"195", "57"}, {"12", "36"},  {"104", "55"},
};

// Set KV_ROSE_SHOTS to a folder to get the window as the user sees it after
// each rose (rose-dip.png, rose-strike.png, rose-dipangle.png) and of the
// table before them (rose-table.png).
TEST_F(JointRoseWindowTest, NormalFaultRosesPointWhereTheFaultsDip)
{
    const struct {
        const char* command;
        const char* shot;
        std::int64_t colour;
        std::int64_t maxnum;
        double armX, armY; // end of the longest arm
    } roses[] = {
        // Three faults dip NNE (10, 12, 18) and three SSE (164, 165, 166).
        {"MOperateQingxiang", "rose-dip.png", kCyan, 3, 22.5, 97.44},
        // Five strike WNW-ESE: the class of dip directions 10-18 folded with 190, 195.
        {"MOperateZouxiang", "rose-strike.png", kRed, 5, -97, 22},
        // The steepest class, 115/75 and 118/48, mean dip 62 at 116.
        {"MOperateQingjiao", "rose-dipangle.png", kGreen, 0, 61.93, -30.20},
    };
    fillTable(normalFaults);
    window_->resize(640, 480);
    auto saveShot = [&](const char* name) { test::saveShot(*window_, "KV_ROSE_SHOTS", name); };
    saveShot("rose-table.png");
    for (const auto& r : roses) {
        SCOPED_TRACE(r.command);
        click(r.command);
        EXPECT_TRUE(dialogs().messages.empty());
        EXPECT_EQ(window_->jointnum(), 28);
        EXPECT_EQ(window_->maxnum(), r.maxnum);
        EXPECT_TRUE(inkNear(r.armX, r.armY, r.colour));
        expectFrameDrawn();
        saveShot(r.shot);
    }
}

} // namespace
} // namespace kv
