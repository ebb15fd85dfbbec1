// The Fry window as a user drives it: centres found on a picture of dark
// discs, clicked with the mouse, read from and written to a centre file,
// edited in the table, and the Fry plot of centres of a known strain.
#include "strain/ui/fry_window.h"

#include "platform/text/number_text.h"
#include "platform/text/text_file.h"
#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/strain_ui/wheel_fry_fixture.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/strain_pictures.h"
#include "tests/support/strained_centres.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <cmath>
#include <string>
#include <vector>

namespace kv {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

class FryWindowTest : public test::PictureWindowTest {
protected:
    void SetUp() override
    {
        PictureWindowTest::SetUp();
        window_ = new FryWindow(test::toolRow("fry"));
        window_->show();
    }
    void TearDown() override
    {
        delete window_.data();
        PictureWindowTest::TearDown();
    }

    FryWindow& w() const { return *window_; }
    DataGrid* grid() const { return window_->grid(); }
    PictureBox* picture() const { return window_->picture(); }
    QString cell(int row, int col) const { return grid()->textMatrix(row, col); }

    void loadPicture(const PixelImage& pixels)
    {
        dialogs().openAnswers.push_back(writeBmp("discs.bmp", pixels));
        click(w(), "MFileInputpicture");
    }

    // A centre file of the given lines, read through "数据文件".
    void readCentres(const char* name, const std::vector<std::string>& lines)
    {
        ASSERT_EQ(writeTextFile(path(name).toStdString(), lines), FileError::None);
        dialogs().openAnswers.push_back(path(name));
        click(w(), "MFileInputdata");
    }

    QPointer<FryWindow> window_;
};

// Lines of a centre file: x and y of each centre, blank-separated.
std::vector<std::string> centreLines(const std::vector<std::pair<double, double>>& centres)
{
    std::vector<std::string> lines;
    for (const auto& [x, y] : centres)
        lines.push_back(cellText(static_cast<float>(x)) + " " + cellText(static_cast<float>(y)));
    return lines;
}

// Discs of radius 9 centred on whole pixels: each centre is found within a
// pixel, written with y counted up from the bottom edge, and marked in red.
TEST_F(FryWindowTest, CentresOfDarkDiscsAreFoundNumberedAndMarked)
{
    EXPECT_EQ(w().objectName(), "fry");
    EXPECT_EQ(w().windowTitle(), QStringLiteral("FRY法"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("中心点X坐标"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("中心点Y坐标"));
    EXPECT_EQ(grid()->rows(), 200);
    EXPECT_FALSE(grid()->isHidden());
    EXPECT_FALSE(item(w(), "MOperateMouseCenter")->isEnabled());
    EXPECT_FALSE(item(w(), "MOperateCenter")->isEnabled());

    const int height = 160;
    PixelImage pixels(240, height);
    std::vector<QPoint> discs;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            discs.emplace_back(30 + 60 * col + 7 * row, 25 + 50 * row);
            test::fillDisc(pixels, discs.back().x(), discs.back().y(), 9);
        }
    loadPicture(pixels);
    EXPECT_TRUE(item(w(), "MOperateMouseCenter")->isEnabled());
    EXPECT_TRUE(item(w(), "MOperateCenter")->isEnabled());
    EXPECT_EQ(item(w(), "MOperateGrid")->text(), QStringLiteral("网格浏览"));
    EXPECT_TRUE(grid()->isHidden());

    click(w(), "MOperateCenter");
    ASSERT_EQ(w().pointCount(), 12);
    EXPECT_EQ(cell(13, 1), QString());
    for (int row = 1; row <= 12; ++row) {
        const QPoint disc = discs[row - 1]; // found top rows first, each row from the left
        EXPECT_NEAR(cell(row, 1).toDouble(), disc.x(), 1) << row;
        EXPECT_NEAR(cell(row, 2).toDouble(), height - disc.y(), 1) << row;
        EXPECT_EQ(picture()->image().pixel(cell(row, 1).toInt(), height - cell(row, 2).toInt()), kRed) << row;
    }
    // The red marks read as dark: a second run finds the same centres.
    click(w(), "MOperateCenter");
    EXPECT_EQ(w().pointCount(), 12);
    EXPECT_TRUE(dialogs().messages.empty());
}

// Picking: the pointer readout and the cross while the item is checked;
// left clicks numbered from 1 in the table, the 200th refused with one word.
TEST_F(FryWindowTest, MousePickingNumbersLeftClicksAndReadsOutThePointer)
{
    loadPicture(PixelImage(200, 150));
    readCentres("three.txt", {"1 2", "3 4", "5 6"});
    EXPECT_FALSE(item(w(), "MOperateMouseCenter")->isEnabled()); // a centre file shuts picking off
    loadPicture(PixelImage(200, 150));
    QAction* picking = item(w(), "MOperateMouseCenter");
    picking->trigger();
    EXPECT_TRUE(picking->isChecked());
    EXPECT_EQ(w().pointCount(), 0);
    EXPECT_EQ(cell(1, 1), QString()); // checking the item restarts the table

    QTest::mouseMove(picture(), QPoint(120, 65));
    EXPECT_EQ(frame_.panel3, QStringLiteral("X: 120   Y: 85"));
    EXPECT_EQ(picture()->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(picture(), Qt::LeftButton, {}, QPoint(120, 65));
    QTest::mouseClick(picture(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(w().pointCount(), 1);
    EXPECT_EQ(cell(1, 1), "120");
    EXPECT_EQ(cell(1, 2), "85");
    EXPECT_EQ(picture()->image().pixel(120, 65), kRed);

    picking->trigger();
    EXPECT_FALSE(picking->isChecked());
    frame_.panel3.clear();
    QTest::mouseMove(picture(), QPoint(30, 40));
    EXPECT_EQ(frame_.panel3, QString());
    EXPECT_EQ(picture()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(picture(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(w().pointCount(), 1);

    picking->trigger();
    for (int k = 0; k < 201; ++k)
        QTest::mouseClick(picture(), Qt::LeftButton, {}, QPoint(k % 200, k / 200));
    EXPECT_EQ(w().pointCount(), 199);
    EXPECT_EQ(cell(199, 1), "198");
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("中心点多于199个，只保留前199个！")});
}

// What the window writes it reads back as the same texts; a file it cannot
// use leaves the table as it was.
TEST_F(FryWindowTest, CentreFilesRoundTripAndBadFilesKeepTheTable)
{
    readCentres("centres.txt", {"12 34", "5.50, 7", "-8.25 1e3"});
    EXPECT_EQ(w().pointCount(), 3);
    EXPECT_EQ(item(w(), "MOperateGrid")->text(), QStringLiteral("显示图片"));
    EXPECT_FALSE(grid()->isHidden());
    EXPECT_TRUE(picture()->isHidden());
    const QStringList xs = {"12", "5.5", "-8.25"}, ys = {"34", "7", "1000"};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(cell(row, 1), xs[row - 1]);
        EXPECT_EQ(cell(row, 2), ys[row - 1]);
    }

    dialogs().saveAnswers.push_back(path("saved.txt"));
    click(w(), "MFileSaveAs");
    EXPECT_EQ(readFile(path("saved.txt")), QByteArray("12            34\r\n"
                                                       "5.5           7\r\n"
                                                       "-8.25         1000\r\n"));
    dialogs().openAnswers.push_back(path("saved.txt"));
    click(w(), "MFileInputdata");
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(cell(row, 1), xs[row - 1]);

    const struct {
        const char* name;
        QByteArray bytes; // null: no file
        const char* message;
    } bad[] = {
        {"missing.txt", QByteArray(), "无法打开数据文件！"},
        {"odd.txt", QByteArray("1 2\r\n3\r\n"), "数据有误，请检查！"},
        {"latin1.txt", QByteArray("1 2\r\n\xff\xfe 3\r\n"), "数据有误，请检查！"},
    };
    for (const auto& b : bad) {
        dialogs().messages.clear();
        if (!b.bytes.isNull()) {
            QFile f(path(b.name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(b.bytes);
        }
        dialogs().openAnswers.push_back(path(b.name));
        click(w(), "MFileInputdata");
        EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(b.message)}) << b.name;
        EXPECT_EQ(cell(2, 1), "5.5") << b.name;
        EXPECT_EQ(w().pointCount(), 3) << b.name;
    }

    // More centres than rows: the first 199, and the user is told.
    dialogs().messages.clear();
    std::vector<std::pair<double, double>> many;
    for (int k = 1; k <= 250; ++k)
        many.emplace_back(k, 2 * k);
    readCentres("many.txt", centreLines(many));
    EXPECT_EQ(w().pointCount(), 199);
    EXPECT_EQ(cell(199, 2), "398");
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("中心点多于199个，只保留前199个！")});

    dialogs().messages.clear();
    dialogs().saveAnswers.push_back(path("no such folder/saved.txt"));
    click(w(), "MFileSaveAs");
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("数据有误，请检查！")});
}

// Centres of grains strained by a ratio of 2 with the long axis at 30 degrees:
// the Fry plot replaces the picture and its ellipse comes out near them.
TEST_F(FryWindowTest, FryPlotOfStrainedCentresGivesTheirEllipse)
{
    loadPicture(PixelImage(400, 300));
    readCentres("strained.txt", centreLines(test::strainedCentres(11, 180, {2, 30})));
    ASSERT_EQ(w().pointCount(), 180);
    click(w(), "MOperateFryMethod");
    EXPECT_TRUE(dialogs().messages.empty());
    ASSERT_TRUE(w().lastEllipse().has_value());
    EXPECT_GE(w().lastEllipse()->rs, 1.6f);
    EXPECT_LE(w().lastEllipse()->rs, 2.2f);
    EXPECT_NEAR(static_cast<double>(w().lastEllipse()->fi), 30, 10);
    EXPECT_EQ(w().lastEllipse()->centreCount, 180);
    EXPECT_EQ(picture()->pictureSize(), QSize(300, 300));
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_FALSE(picture()->isHidden());
    EXPECT_EQ(item(w(), "MOperateGrid")->text(), QStringLiteral("网格浏览"));
    EXPECT_EQ(picture()->pos(), QPoint((w().width() - 300) / 2, (w().height() - 300) / 2));
    // The cloud is point-symmetric about the plot's centre; the result line
    // is blue on a white strip along the bottom.
    const QImage plot = picture()->image();
    int left = 0, right = 0, blue = 0;
    for (int y = 0; y < 260; ++y)
        for (int x = 0; x < 300; ++x)
            if ((plot.pixel(x, y) & 0xFFFFFF) == 0)
                ++(x < 150 ? left : right);
    for (int y = 270; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            blue += qBlue(plot.pixel(x, y)) > 128 && qRed(plot.pixel(x, y)) < 128;
    EXPECT_NEAR(left, right, (left + right) / 10);
    EXPECT_GT(blue, 50);
}

// The table as the user edits it decides what the method reads.
TEST_F(FryWindowTest, FryReadsTheTableAsEditedAndStopsWithAReason)
{
    std::vector<std::pair<double, double>> twenty;
    for (int k = 0; k < 20; ++k)
        twenty.emplace_back(20 + 37 * (k % 5) + 3 * k, 15 + 41 * (k / 5) + (k * 7) % 11);
    const struct {
        int row, col;       // the cell emptied with Delete, row 0 for none
        const char* message;
    } cases[] = {
        {20, 1, "坐标点数据少于20！"},  // 19 centres are too few
        {5, 1, "坐标点数据少于20！"},   // reading stops at the first empty x
        {7, 2, "坐标点数据有误！"},     // an x without its y
    };
    for (const auto& c : cases) {
        dialogs().messages.clear();
        readCentres("twenty.txt", centreLines(twenty));
        grid()->setCurrentCell(c.row, c.col);
        QTest::keyClick(grid(), Qt::Key_Delete);
        click(w(), "MOperateFryMethod");
        EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(c.message)}) << c.row;
        EXPECT_FALSE(picture()->isHidden());
        EXPECT_FALSE(w().lastEllipse().has_value());
    }
    // Typed digits take part: the 20th centre back by hand.
    readCentres("twenty.txt", centreLines(twenty));
    grid()->setCurrentCell(20, 1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClicks(grid(), QStringLiteral("3x00"));
    EXPECT_EQ(cell(20, 1), "300");
    dialogs().messages.clear();
    click(w(), "MOperateFryMethod");
    EXPECT_EQ(w().pointCount(), 20);
    EXPECT_NE(messageTexts(), QStringList{QStringLiteral("坐标点数据少于20！")});
}

} // namespace
} // namespace kv
