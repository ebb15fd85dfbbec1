// The fold rheometer window as a user drives it: measurements typed or read
// from a file, the analysis panel with its five chart buttons, the stress
// exponent and the viscosity ratio, the report, and what a bad file, bad cells
// or an unwritable report do to the window.
#include "fold/ui/rheometer_panel.h"
#include "fold/ui/rheometer_window.h"
#include "platform/text/text_file.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "platform/ui/printer.h"
#include "tests/fold_ui/window_shots.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/tool_window_test.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

using test::FakeDialogs;
using Row = std::array<const char*, 6>; // y1, y2, y3, L, W, h

const Row kSineFold{"0.5", "0.866", "1", "100", "80", "5"};

class RheometerWindowTest : public ::testing::Test, protected test::TestFolder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        dialogs().reset();
        window_ = std::make_unique<RheometerWindow>(test::toolRow("fold"));
        window_->show();
        QApplication::processEvents();
    }
    void TearDown() override { EXPECT_TRUE(dialogs().allAnswersTaken()); }

    static FakeDialogs& dialogs() { return FakeDialogs::global(); }
    DataGrid* grid() const { return window_->grid(); }
    PictureBox* picture() const { return window_->picture(); }
    RheometerPanel* panel() const { return window_->panel(); }
    QLineEdit* nltext() const { return panel()->stressExponentBox(); }
    QLineEdit* mtext() const { return panel()->viscosityRatioBox(); }
    QRadioButton* option(const char* name) const
    {
        return test::namedChild<QRadioButton>(*panel(), QString::fromLatin1(name));
    }

    QAction* item(const char* name) const { return test::menuItemOf(*window_, name); }
    void click(const char* name) const { test::clickItem(*window_, name); }
    bool saveEnabled() const { return item("FileMenuSave")->isEnabled(); }

    // Types each text into its cell of row 1 as a user does: Delete, then the keys.
    void typeRow(const Row& row) const
    {
        for (int c = 1; c <= 6; ++c) {
            grid()->setCurrentCell(1, c);
            QTest::keyClick(grid(), Qt::Key_Delete);
            QTest::keyClicks(grid(), QString::fromUtf8(row[c - 1]));
        }
    }
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int c = 1; c <= 6; ++c)
            texts << grid()->textMatrix(row, c);
        return texts;
    }

    bool tableShown() const { return !grid()->isHidden() && panel()->isHidden(); }
    bool panelShown() const { return grid()->isHidden() && !panel()->isHidden(); }

    // Pixels that are not white in the user box around (x, y).
    int inkAround(double x, double y, int radiusPx) const
    {
        const QImage image = picture()->image();
        const QPoint c = picture()->toPixel(x, y).toPoint();
        int inked = 0;
        for (int px = c.x() - radiusPx; px <= c.x() + radiusPx; ++px)
            for (int py = c.y() - radiusPx; py <= c.y() + radiusPx; ++py)
                inked += image.rect().contains(px, py) && (image.pixel(px, py) & 0xFFFFFF) != 0xFFFFFF;
        return inked;
    }
    int pixelsOf(QRgb colour) const { return test::pixelsOf(picture()->image(), colour); }
    bool legendShown() const
    {
        for (QWidget* control : window_->legendControls())
            if (control->isHidden())
                return false;
        return true;
    }

    // The report's lines, decoded from the code page.
    static std::vector<std::string> reportLines(const QString& path)
    {
        const TextReadResult read = readTextFile(QFile::encodeName(path).toStdString());
        EXPECT_EQ(read.error, FileError::None);
        return splitLines(read.text);
    }
    QString saveReport(const char* name)
    {
        const QString file = path(name);
        dialogs().saveAnswers.push_back(file);
        click("FileMenuSave");
        return file;
    }

    std::unique_ptr<RheometerWindow> window_;
};

TEST_F(RheometerWindowTest, OpensOnItsTableWithThePanelReadyBehindIt)
{
    EXPECT_EQ(window_->objectName(), "fold");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("能干层褶皱流变计"));
    EXPECT_TRUE(tableShown());
    EXPECT_TRUE(saveEnabled());
    EXPECT_EQ(grid()->rows(), 101);
    EXPECT_EQ(grid()->cols(), 16);
    const QStringList titles{"序号", "褶皱y1坐标值", "褶皱y2坐标值", "褶皱y3坐标值", "褶皱弧长L", "褶皱波长W", "褶皱厚度h", ""};
    for (int c = 0; c < titles.size(); ++c)
        EXPECT_EQ(grid()->textMatrix(0, c), titles[c]) << c;
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(grid()->colWidthTwips(c), 1500) << c;
    EXPECT_EQ(grid()->textMatrix(100, 0), "100");

    EXPECT_EQ(item("OperateMenuFold")->text(), QStringLiteral("褶皱几何分析"));
    EXPECT_EQ(item("FileMenuOpen")->text(), QStringLiteral("打开数据"));

    // The panel: its caption, its buttons down the left, the picture beside them
    // and its size around them (all in twips, 15 to a pixel).
    EXPECT_EQ(panel()->objectName(), "Frame1");
    EXPECT_EQ(panel()->title(), QStringLiteral("褶皱几何形态分析"));
    EXPECT_EQ(picture()->parentWidget(), panel());
    EXPECT_EQ(picture()->geometry(), QRect(104, 32, 300, 300));
    EXPECT_EQ(panel()->size(), QSize(431, 361));
    const struct {
        const char* name;
        const char* caption;
        int top;
    } options[] = {{"Option1", "形态与曲率", 32}, {"Option2", "ki-alfa", 60}, {"Option3", "ki-s", 88},
                   {"Option4", "ki-L/h", 116},   {"Option5", "图例说明", 144}};
    for (const auto& o : options) {
        EXPECT_EQ(option(o.name)->text(), QString::fromUtf8(o.caption));
        EXPECT_EQ(option(o.name)->geometry(), QRect(16, o.top, 81, 25)) << o.name;
    }
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_EQ(nltext()->objectName(), "nltext");
    EXPECT_EQ(nltext()->geometry(), QRect(16, 216, 73, 25));
    EXPECT_EQ(mtext()->objectName(), "mtext");
    EXPECT_EQ(mtext()->geometry(), QRect(16, 296, 73, 25));
    EXPECT_TRUE(mtext()->isReadOnly());
    EXPECT_EQ(mtext()->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_TRUE(nltext()->text().isEmpty() && mtext()->text().isEmpty());
    EXPECT_FALSE(legendShown());
}

TEST_F(RheometerWindowTest, PanelStaysCentredAndTheTableFillsTheWindow)
{
    const struct {
        QSize window;
        QPoint panelAt;
    } cases[] = {
        {{720, 460}, {144, 49}},
        {{431, 361}, {0, 0}},
        {{331, 300}, {50, 30}}, // smaller than the panel: the offset stays positive
    };
    click("OperateMenuShowTable");
    for (const auto& c : cases) {
        window_->resize(c.window);
        QApplication::processEvents();
        EXPECT_EQ(panel()->pos(), c.panelAt) << c.window.width();
        EXPECT_EQ(grid()->geometry(), QRect(QPoint(0, 0), c.window));
    }
}

// Read, analyse, type the stress exponent, save; then edit one measurement,
// analyse again and save again.
TEST_F(RheometerWindowTest, FileAnalysisStressExponentAndReport)
{
    grid()->setTextMatrix(5, 1, "7");
    grid()->setTextMatrix(5, 2, "8");
    grid()->setTextMatrix(5, 3, "9");
    dialogs().openAnswers.push_back(writeFile("sine.txt", "0.5,0.866,1,100,80,5,77\r\n"));
    click("FileMenuOpen");
    EXPECT_EQ(dialogs().openFilters, QStringList{QStringLiteral("文本文件（*.txt;*.dat）|*.txt;*.dat")});
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(rowTexts(1), QStringList({"0.5", "0.866", "1", "100", "80", "5"}));
    // Columns 1 and 2 of every row are emptied first; the others keep their text.
    EXPECT_EQ(grid()->textMatrix(5, 1), "");
    EXPECT_EQ(grid()->textMatrix(5, 2), "");
    EXPECT_EQ(grid()->textMatrix(5, 3), "9");
    EXPECT_TRUE(tableShown());
    EXPECT_FALSE(saveEnabled()); // the read values are not analysed yet
    test::saveShot(window_.get(), "fold-table.png");

    click("OperateMenuFold");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(saveEnabled());
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_NEAR(window_->state().shape.curvatureIndex, 0.7487, 0.0003);
    EXPECT_GT(pixelsOf(qRgb(0, 0, 255)), 300); // the curvature curve, 361 degrees long

    QTest::keyClicks(nltext(), QStringLiteral("3"));
    EXPECT_EQ(mtext()->text(), "579.4059"); // (20 / 3.46)^3 x 3
    const QString first = saveReport("report.txt");
    EXPECT_EQ(dialogs().saveFilters, QStringList{QStringLiteral("数据文件(*.txt)|*.txt|所有文件（*.*）|*.*")});
    EXPECT_TRUE(dialogs().messages.empty());
    // The same twelve lines, byte for byte, as the report's own fixture.
    const QByteArray expected = readFile(QDir(QStringLiteral(KV_TEST_SOURCES)).filePath(
        QStringLiteral("../fold_core/data/rheometer_sine_fold_report.txt")));
    ASSERT_EQ(expected.size(), 338) << "fixture missing or changed";
    EXPECT_EQ(readFile(first), expected);

    // Back to the table: a thicker layer. Any key in the table stops the report
    // until the measurements are analysed again.
    click("OperateMenuShowTable");
    EXPECT_TRUE(tableShown());
    grid()->setCurrentCell(1, 6);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_FALSE(saveEnabled());
    typeRow({"0.5", "0.866", "1", "100", "80", "10"});
    click("FileMenuSave"); // disabled: nothing is asked
    click("OperateMenuFold");
    EXPECT_TRUE(saveEnabled());
    // The ratio follows the new L/h without a new stress exponent, so the
    // report never pairs it with the old measurements.
    EXPECT_EQ(mtext()->text(), "72.42574");
    const std::vector<std::string> lines = reportLines(saveReport("report2.txt"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[5], "褶皱厚度             h：10.0");
    EXPECT_EQ(lines[6], "褶皱主波长比       L/h：10.0");
    EXPECT_EQ(lines[10], "褶皱能干层应力指数N  L：3.0");
    EXPECT_EQ(lines[11], "能干层与基质粘度比   M：72.4");
}

TEST_F(RheometerWindowTest, EachChartButtonDrawsItsViewAndOnlyTheLegendShowsTheLegend)
{
    typeRow(kSineFold);
    click("OperateMenuFold");
    ASSERT_TRUE(panelShown());
    const struct {
        const char* option;
        const char* shot;
        double markerX, markerY; // where the measured fold is marked
    } views[] = {
        {"Option2", "fold-ki-alfa.png", 45, 0.7487},
        {"Option3", "fold-ki-s.png", 20, 0.7487},
        {"Option4", "fold-ki-lh.png", 20, 0.7487},
        {"Option5", "fold-legend.png", 0, 0},
        {"Option1", "fold-profile.png", 0, 0},
    };
    window_->resize(720, 460);
    test::saveShot(window_.get(), "fold-table-analysed.png");
    for (const auto& v : views) {
        SCOPED_TRACE(v.option);
        QTest::mouseClick(option(v.option), Qt::LeftButton);
        EXPECT_TRUE(option(v.option)->isChecked());
        const bool legend = QLatin1String(v.option) == "Option5";
        EXPECT_EQ(legendShown(), legend);
        if (legend) {
            EXPECT_EQ(pixelsOf(qRgb(255, 255, 255)), 300 * 300); // the legend lies over a cleared picture
            EXPECT_EQ(window_->legendControls().front()->objectName(), "Label3");
        } else if (v.markerX != 0) {
            EXPECT_GT(inkAround(v.markerX, v.markerY, 3), 4);     // the marker circle
            EXPECT_EQ(inkAround(v.markerX, v.markerY + 0.1, 2), 0); // nothing above it
            EXPECT_GT(inkAround(0, 1, 1), 0);                       // the box's top-left corner
        } else {
            EXPECT_GT(pixelsOf(qRgb(0, 0, 255)), 300);
        }
        test::saveShot(window_.get(), v.shot);
    }

    // A saved picture is what the picture holds, also in the legend view;
    // printing from the table view prints the chart.
    QTest::mouseClick(option("Option5"), Qt::LeftButton);
    const QString bmp = dir_.filePath(QStringLiteral("legend.bmp"));
    dialogs().saveAnswers.push_back(bmp);
    click("FileMenuSavePicture");
    QImage saved;
    ASSERT_TRUE(saved.load(bmp, "BMP"));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), picture()->image().convertToFormat(QImage::Format_RGB32));
    QTest::mouseClick(option("Option2"), Qt::LeftButton);
    EXPECT_FALSE(legendShown());
    click("OperateMenuShowTable");
    Printer::instance().endDocument();
    Printer::instance().setPdfTarget(dir_.filePath(QStringLiteral("fold-%1.pdf")));
    click("FileMenuPrint");
    Printer::instance().setPdfTarget(QString());
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("fold-1.pdf"))));
}

TEST_F(RheometerWindowTest, CellsThatAreNotSixUsableNumbersLeaveTheWindowAsItWas)
{
    const struct {
        Row row;
        bool message; // "数据有误，请检查！"; otherwise nothing at all happens
    } cases[] = {
        {{"0.5", "0.866", "1", "100", "80", ""}, false},
        {{"0.5", "0.8.66", "1", "100", "80", "5"}, true},
        {{"0.5", "0.866", "1", "0", "80", "5"}, true}, // L = 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row[0] << "|" << c.row[1] << "|" << c.row[3] << "|" << c.row[5]);
        dialogs().reset();
        typeRow(c.row);
        click("OperateMenuFold");
        if (c.message) {
            ASSERT_EQ(dialogs().messages.size(), 1u);
            EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
            EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
        } else {
            EXPECT_TRUE(dialogs().messages.empty());
        }
        EXPECT_TRUE(tableShown());
        EXPECT_FALSE(saveEnabled());
        EXPECT_EQ(window_->state().measurements.arcLength, 0);
    }
}

TEST_F(RheometerWindowTest, AFailedReadEmptiesTheFirstTwoColumnsOnlyOfAFileReadAsText)
{
    const QStringList whole({"0.5", "0.866", "1", "100", "80", "5"});
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList row1; // afterwards
        const char* cell32;
    } files[] = {
        // Columns 1 and 2 were emptied before the sixth number was missed.
        {"five.txt", "1,2,3,4,5\r\n", {"", "", "1", "100", "80", "5"}, ""},
        {"letters.txt", "1,2,3,x,5,6\r\n", {"", "", "1", "100", "80", "5"}, ""},
        // A file that can't be read as text is never begun.
        {"encoding.txt", "1,2,3,4,5,\xFF\xFE\r\n", whole, "keep"},
        {"missing.txt", QByteArray(), whole, "keep"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        typeRow(kSineFold);
        grid()->setTextMatrix(3, 2, "keep");
        click("OperateMenuFold"); // the panel is in front when the read starts
        ASSERT_TRUE(panelShown());
        dialogs().reset();
        const bool missing = QLatin1String(f.name) == "missing.txt";
        dialogs().openAnswers.push_back(missing ? dir_.filePath(QStringLiteral("missing.txt")) : writeFile(f.name, f.bytes));
        click("FileMenuOpen");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误！"));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
        EXPECT_TRUE(tableShown());
        EXPECT_FALSE(saveEnabled());
        EXPECT_EQ(rowTexts(1), f.row1);
        EXPECT_EQ(grid()->textMatrix(3, 2), QString::fromLatin1(f.cell32));
        if (!missing) {
            EXPECT_EQ(readFile(path(f.name)), f.bytes);
        }
    }
    // A cancelled dialog changes nothing at all.
    click("OperateMenuFold");
    dialogs().reset();
    dialogs().openAnswers.push_back(QString());
    click("FileMenuOpen");
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(saveEnabled());
}

TEST_F(RheometerWindowTest, AReportThatCannotBeWrittenIsReportedAndTheOldFileStays)
{
    // Before any analysis the report holds zeros.
    const std::vector<std::string> zeros = reportLines(saveReport("zeros.txt"));
    ASSERT_EQ(zeros.size(), 12u);
    EXPECT_EQ(zeros[7], "褶皱缩短率           S：0.0%");
    EXPECT_EQ(zeros[11], "能干层与基质粘度比   M：0.0");

    typeRow(kSineFold);
    click("OperateMenuFold");
    const QString old = writeFile("old.txt", "old report");
    const struct {
        const char* stressExponent;
        const char* ratioBox;
        QString path;
    } cases[] = {
        {"1E39", "", old},  // no number to write: nothing is written
        {"3", "579.4059", dir_.filePath(QStringLiteral("no/such/folder/report.txt"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stressExponent);
        nltext()->clear();
        QTest::keyClicks(nltext(), QString::fromLatin1(c.stressExponent));
        EXPECT_EQ(mtext()->text(), QString::fromLatin1(c.ratioBox));
        dialogs().reset();
        dialogs().saveAnswers.push_back(c.path);
        click("FileMenuSave");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
    }
    EXPECT_EQ(readFile(old), "old report");
}

} // namespace
} // namespace kv
