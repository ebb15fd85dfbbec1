// The reverse-wheel window as a user drives it: a picture of stripes loaded
// through the open dialog, the settings dialog, the count with its chords on
// display, the count table and its file, and the fit dialog with the strain
// ellipse.
#include "strain/ui/reverse_wheel_window.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "strain/ui/count_fit_dialog.h"
#include "tests/strain_ui/wheel_fry_fixture.h"
#include "tests/support/stand_in_plot_window.h"
#include "tests/support/strain_pictures.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace kv {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

class ReverseWheelWindowTest : public test::PictureWindowTest {
protected:
    void SetUp() override
    {
        PictureWindowTest::SetUp();
        window_ = new ReverseWheelWindow(test::toolRow("isw"));
        window_->show();
    }
    void TearDown() override
    {
        delete window_.data();
        PictureWindowTest::TearDown();
    }

    ReverseWheelWindow& w() const { return *window_; }
    DataGrid* grid() const { return window_->grid(); }
    PictureBox* picture() const { return window_->picture(); }
    QString cell(int row, int col) const { return grid()->textMatrix(row, col); }

    void loadPicture(const PixelImage& pixels)
    {
        dialogs().openAnswers.push_back(writeBmp("grains.bmp", pixels));
        click(w(), "MFileInputpicture");
    }

    // Answers the settings dialog with the two texts and presses OK once.
    void answerSettings(const QString& lines, const QString& step)
    {
        dialogs().execAnswers.push_back([lines, step](QDialog* d) {
            d->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(lines);
            d->findChild<QComboBox*>(QStringLiteral("Combo2"))->setEditText(step);
            d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d->result();
        });
    }

    void count(const QString& lines, const QString& step)
    {
        answerSettings(lines, step);
        click(w(), "MOperateCount");
        click(w(), "MOperateOutLineCount");
    }

    int redPixels() const
    {
        const QImage image = picture()->image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (kRed & 0xFFFFFF);
        return n;
    }

    QPointer<ReverseWheelWindow> window_;
};

// Stripes running 30 degrees anticlockwise on the screen: chords turned by 30
// degrees lie along them and cross none, those at 150 degrees cross many.
TEST_F(ReverseWheelWindowTest, StripesAt30DegreesCountFewestAt30FitAndGiveTheirEllipse)
{
    EXPECT_EQ(w().objectName(), "isw");
    EXPECT_EQ(w().windowTitle(), QStringLiteral("反向轮法"));
    EXPECT_TRUE(w().opensMaximized());
    EXPECT_EQ(grid()->rows(), 200);
    EXPECT_EQ(grid()->cols(), 26);
    EXPECT_EQ(cell(0, 1), QStringLiteral("角度"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("边界数目"));
    EXPECT_EQ(cell(199, 0), "199");
    EXPECT_NEAR(grid()->colWidthTwips(2), 2000, 15); // whole pixels
    EXPECT_FALSE(item(w(), "MOperateOutLineCount")->isEnabled());
    EXPECT_FALSE(item(w(), "MOperateEllipse")->isEnabled());
    EXPECT_TRUE(item(w(), "MOperateCount")->isEnabled());
    EXPECT_EQ(w().settings().nlines, 13);
    EXPECT_EQ(w().settings().turnangle, 10);

    loadPicture(test::stripes(240, 200, 30, 6));
    EXPECT_EQ(picture()->pictureSize(), QSize(240, 200));
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_FALSE(picture()->isHidden());
    EXPECT_TRUE(item(w(), "MOperateOutLineCount")->isEnabled());

    count("7", "30");
    EXPECT_EQ(w().settings().nlines, 7);
    EXPECT_EQ(w().settings().turnangle, 30);
    const QStringList angles = {"0", "30", "60", "90", "120", "150", "180"};
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(cell(row, 1), angles[row - 1]) << row;
    EXPECT_EQ(cell(8, 1), QString());
    EXPECT_EQ(cell(2, 2), "0");
    EXPECT_GT(cell(6, 2).toInt(), 40);       // across the stripes at 150 degrees
    EXPECT_EQ(cell(7, 2), cell(1, 2));       // 180 degrees walks the chords of 0 again
    EXPECT_TRUE(item(w(), "MOperateEllipse")->isEnabled());
    EXPECT_TRUE(grid()->isHidden());
    // The stored picture keeps the red circle (radius 0.45 x 200 about the
    // middle), not the chords: about 2 pi 90 pixels of red.
    EXPECT_EQ(picture()->image().pixel(120, 10), kRed);
    EXPECT_EQ(picture()->image().pixel(120, 190), kRed);
    EXPECT_GT(redPixels(), 450);
    EXPECT_LT(redPixels(), 600);

    dialogs().saveAnswers.push_back(path("counts.txt"));
    click(w(), "MFileSaveData");
    QByteArray expected;
    for (int row = 1; row <= 7; ++row)
        expected += (QStringLiteral(" %1 ").arg(cell(row, 1)).leftJustified(14) + QStringLiteral(" %1 \r\n").arg(cell(row, 2))).toLatin1();
    EXPECT_EQ(readFile(path("counts.txt")), expected);

    // The fit opens on the curve of degree 3 through 0 to 150 degrees: the
    // fewest boundaries near 30 degrees, the most across the stripes.
    dialogs().saveAnswers.push_back(path("ellipse.bmp"));
    dialogs().execAnswers.push_back([this](QDialog* d) {
        auto* fit = static_cast<CountFitDialog*>(d);
        EXPECT_EQ(d->objectName(), "Fitting");
        EXPECT_EQ(d->windowTitle(), QStringLiteral("应变结果"));
        EXPECT_EQ(d->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(), "3");
        EXPECT_TRUE(d->parent() == frame_.window());
        EXPECT_TRUE(fit->extremes().has_value());
        if (fit->extremes()) {
            EXPECT_NEAR(fit->extremes()->minangle, 30, 5);
            EXPECT_NEAR(fit->extremes()->maxangle, 120, 10);
        }
        const QImage plot = fit->picture()->image();
        EXPECT_EQ(plot.size(), QSize(281, 281));
        d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        EXPECT_NE(fit->picture()->image(), plot);
        d->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        EXPECT_EQ(QImage(path("ellipse.bmp")), fit->picture()->image().convertToFormat(QImage::Format_RGB32));
        d->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        return d->result();
    });
    click(w(), "MOperateEllipse");
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_TRUE(dialogs().messages.empty());
}

// Each opening starts from "13" and "10"; a refused value keeps the dialog
// open and the window's settings as they were.
TEST_F(ReverseWheelWindowTest, SettingsDialogStoresOnlyWhatTheCountCanUse)
{
    const struct {
        const char* lines;
        const char* step;
        const char* message; // empty: accepted
        float nlines, turnangle;
    } cases[] = {
        {"12.6", "7", "", 12.6f, 7},
        {"12.5", "10", "反向轮直线数目应为奇数，请重新选择！", 0, 0},
        {"4", "10", "反向轮直线数目应为奇数，请重新选择！", 0, 0},
        {"几条", "10", "反向轮直线数目应为奇数，请重新选择！", 0, 0},
        {"13", "0", "反向轮转动角度要大于0度，请重新选择！", 0, 0},
        {"13", "-1", "反向轮转动角度要大于0度，请重新选择！", 0, 0},
        {"13", "0.9", "反向轮转动角度太小，统计结果超出表格的199行，请重新选择！", 0, 0},
        {"10001", "10", "反向轮直线数目不能超过9999，请重新选择！", 0, 0},
        {"1", "45.5", "", 1, 45.5f},
    };
    CountSettings before = w().settings();
    for (const auto& c : cases) {
        dialogs().messages.clear();
        bool opened = false;
        dialogs().execAnswers.push_back([&](QDialog* d) {
            opened = true;
            EXPECT_EQ(d->objectName(), "countset");
            EXPECT_EQ(d->windowTitle(), QStringLiteral("统计设置"));
            auto* lines = d->findChild<QComboBox*>(QStringLiteral("Combo1"));
            auto* step = d->findChild<QComboBox*>(QStringLiteral("Combo2"));
            EXPECT_EQ(lines->currentText(), "13");
            EXPECT_EQ(step->currentText(), "10");
            EXPECT_EQ(lines->count(), 12);
            EXPECT_EQ(step->count(), 9);
            lines->setEditText(QString::fromUtf8(c.lines));
            step->setEditText(QString::fromUtf8(c.step));
            d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d->result();
        });
        click(w(), "MOperateCount");
        EXPECT_TRUE(opened);
        if (*c.message) {
            ASSERT_EQ(dialogs().messages.size(), 1u) << c.lines << " " << c.step;
            EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("错误！"));
        } else {
            EXPECT_TRUE(dialogs().messages.empty()) << c.lines << " " << c.step;
            before = {c.nlines, c.turnangle};
        }
        EXPECT_EQ(w().settings().nlines, before.nlines) << c.lines;
        EXPECT_EQ(w().settings().turnangle, before.turnangle) << c.step;
    }
}

// While the count turns its chords it lets events through: the chords show
// on the display, the menus are shut and the window will not close.
TEST_F(ReverseWheelWindowTest, ACountShowsItsChordsAndHoldsItsWindowUntilItEnds)
{
    loadPicture(test::stripes(160, 120, 0, 5));
    answerSettings("13", "45");
    click(w(), "MOperateCount");
    bool checked = false;
    QTimer::singleShot(20, &w(), [this, &checked] {
        checked = true;
        EXPECT_TRUE(w().counting());
        for (QMenu* menu : w().menus())
            EXPECT_FALSE(menu->menuAction()->isEnabled()) << menu->objectName().toStdString();
        EXPECT_EQ(picture()->point(80, 60), 0xFF); // the middle chord, red on the display
        EXPECT_FALSE(w().close());
    });
    click(w(), "MOperateOutLineCount");
    EXPECT_TRUE(checked);
    QApplication::processEvents();
    ASSERT_FALSE(window_.isNull());
    EXPECT_FALSE(w().counting());
    for (QMenu* menu : w().menus())
        EXPECT_TRUE(menu->menuAction()->isEnabled());
    EXPECT_NE(picture()->point(80, 60), 0xFF);
    EXPECT_EQ(cell(5, 1), "180");
    EXPECT_EQ(cell(6, 1), QString());
}

// A fit needs a degree it can use; the ellipse needs a fit whose smallest
// count is above 0.
TEST_F(ReverseWheelWindowTest, FitAndEllipseRefuseWhatTheyCannotDraw)
{
    // One chord: the degrees 1 only (below 1 + 1); degree 3 is refused without a word.
    loadPicture(test::stripes(160, 120, 30, 5));
    count("1", "45");
    dialogs().execAnswers.push_back([](QDialog* d) {
        auto* fit = static_cast<CountFitDialog*>(d);
        auto* degree = d->findChild<QComboBox*>(QStringLiteral("Combo1"));
        auto* fitButton = d->findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* ellipseButton = d->findChild<QPushButton*>(QStringLiteral("Command2"));
        const QImage blank = fit->picture()->image();
        EXPECT_FALSE(fit->extremes().has_value());
        ellipseButton->click();
        EXPECT_EQ(fit->picture()->image(), blank);
        for (const char* refused : {"0", "2", "1.5"}) {
            degree->setEditText(QString::fromLatin1(refused));
            fitButton->click();
            EXPECT_FALSE(fit->extremes().has_value()) << refused;
        }
        degree->setEditText(QStringLiteral("1"));
        fitButton->click();
        // A straight line has no extreme inside: both angles stay 0.
        EXPECT_TRUE(fit->extremes().has_value());
        if (fit->extremes()) {
            EXPECT_EQ(fit->extremes()->minangle, 0);
        }
        EXPECT_NE(fit->picture()->image(), blank);
        return QDialog::Rejected;
    });
    click(w(), "MOperateEllipse");
    ASSERT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("请先完成曲线拟合！"));
    EXPECT_EQ(dialogs().messages[1].text, QStringLiteral("拟合次数应为整数，请重新选择！"));

    // A picture without boundaries counts 0 everywhere: no ratio to draw.
    dialogs().messages.clear();
    loadPicture(PixelImage(160, 120));
    count("13", "30");
    EXPECT_EQ(cell(4, 2), "0");
    dialogs().execAnswers.push_back([](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        return QDialog::Rejected;
    });
    click(w(), "MOperateEllipse");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("拟合曲线的最小值不大于0，无法求应变椭圆！"));
}

// The count table file before any count, a file that can't be written, a
// file that is not a picture, and the caption of the view switch.
TEST_F(ReverseWheelWindowTest, FilesAndViewsKeepTheWindowUsable)
{
    dialogs().saveAnswers.push_back(path("empty.txt"));
    click(w(), "MFileSaveData");
    EXPECT_EQ(readFile(path("empty.txt")), QByteArray());

    dialogs().saveAnswers.push_back(path("no such folder/counts.txt"));
    click(w(), "MFileSaveData");
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("文件无法保存，请检查文件名、权限和磁盘空间！")});

    dialogs().messages.clear();
    dialogs().openAnswers.push_back(path("empty.txt"));
    click(w(), "MFileInputpicture");
    EXPECT_EQ(dialogs().messages.size(), 1u);
    EXPECT_FALSE(item(w(), "MOperateOutLineCount")->isEnabled());
    EXPECT_FALSE(grid()->isHidden());

    dialogs().openAnswers.push_back(QString()); // cancelled
    click(w(), "MFileInputpicture");
    EXPECT_FALSE(item(w(), "MOperateOutLineCount")->isEnabled());

    QAction* view = item(w(), "MOperatepicgrid");
    EXPECT_EQ(view->text(), QStringLiteral("网格浏览"));
    view->trigger();
    EXPECT_EQ(view->text(), QStringLiteral("显示图片"));
    EXPECT_FALSE(grid()->isHidden());
    // Loading shows the picture and leaves the caption: the next click only
    // turns the caption back.
    loadPicture(test::stripes(100, 80, 0, 4));
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_EQ(view->text(), QStringLiteral("显示图片"));
    view->trigger();
    EXPECT_EQ(view->text(), QStringLiteral("网格浏览"));
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_FALSE(picture()->isHidden());

    // A picture larger than the window starts at the window's corner on that
    // axis, when it is loaded and when the window is resized; where it fits it
    // is centred.
    w().resize(500, 400);
    loadPicture(test::stripes(900, 700, 0, 4));
    EXPECT_EQ(picture()->pos(), QPoint(0, 0));
    w().resize(1000, 400);
    EXPECT_EQ(picture()->pos(), QPoint(50, 0));
}

} // namespace
} // namespace kv
