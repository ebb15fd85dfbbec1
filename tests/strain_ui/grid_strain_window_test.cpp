// The grid-method window as a user drives it: points picked on a picture or
// read from a pair of grid files, the grid files written back, and the
// strain field written as four x, y, value files, through the scripted dialogs.
#include "strain/ui/grid_strain_window.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/picture_files.h"
#include "tests/support/strain_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace kv {
namespace {

using test::FakeDialogs;

constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 200;

// Items starting the print zones of 14 columns (columns 1, 15, 29...).
std::string zones(std::initializer_list<std::string> items)
{
    std::string line;
    for (const std::string& item : items)
        line += line.empty() ? item : std::string(14 - line.size() % 14, ' ') + item;
    return line;
}

// x, y and value of a result line.
std::string zoneLine(const std::string& x, const std::string& y, const std::string& value)
{
    return zones({x, y, value});
}

class GridStrainWindowTest : public test::StrainWindowTest<GridStrainWindow> {
protected:
    GridStrainWindowTest() : StrainWindowTest("wgf") {}

    QString cell(int row, int col) const { return grid()->textMatrix(row, col); }

    void openPicture()
    {
        PixelImage white(kPictureWidth, kPictureHeight);
        dialogs().openAnswers.push_back(test::writeBmpFile(dir_, "grid.bmp", white));
        click("MFileOpenPicture");
    }
    void pickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(picture(), button, {}, at);
    }
    void moveTo(QPoint at) const
    {
        QMouseEvent move(QEvent::MouseMove, at, picture()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(picture(), &move);
    }
    // Types into a cell as the user does: select it, then the keys.
    void type(int row, int col, const char* keys) const
    {
        grid()->setCurrentCell(row, col);
        QTest::keyClicks(grid(), QString::fromLatin1(keys));
    }

    // wgfdata: fills both names and presses OK.
    static std::function<int(QDialog*)> gridFiles(const QString& initial, const QString& deformed)
    {
        return [initial, deformed](QDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(initial);
            d->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(deformed);
            d->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
            return d->result();
        };
    }
    // wgfdataout: checks that it opens with the default names and the initial
    // coordinates, then fills the four names, picks the coordinates and presses OK.
    std::function<int(QDialog*)> resultFiles(const QString& prefix, bool carried) const
    {
        const QString folder = dir_.path() + QStringLiteral("/") + prefix;
        return [folder, carried](QDialog* d) {
            const char* boxes[] = {"Text3", "Text4", "Text5", "Text6"};
            const char* defaults[] = {"Lex.txt", "Ley.txt", "Lexy.txt", "Lzj.txt"};
            for (int i = 0; i < 4; ++i) {
                auto* box = d->findChild<QLineEdit*>(QString::fromLatin1(boxes[i]));
                EXPECT_EQ(box->text(), QString::fromLatin1(defaults[i]));
                box->setText(QStringLiteral(" ") + folder + QString::fromLatin1(defaults[i]) + QStringLiteral(" "));
            }
            EXPECT_TRUE(d->findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked());
            if (carried)
                d->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
            d->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d->result();
        };
    }

    int redPixels() const
    {
        const QImage image = picture()->image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        return n;
    }

};

// ---- picking and computing -----------------------------------------------------

struct PickedGridCase {
    const char* name;
    const char* rows;
    const char* cols;
    std::vector<QPoint> before; // pixels, grid row 1 on top, each row left to right
    std::vector<QPoint> after;
    int marks;    // red points left on the picture
    bool carried; // results at the deformed points
    std::vector<std::pair<std::string, std::string>> placedAt;
    double strainX, strainY, shear, rotation;
};

TEST_F(GridStrainWindowTest, PickedGridWritesItsStrainField)
{
    const PickedGridCase cases[] = {
        // Stretched by 1.25 along x: 40 pixels become 50, εx = 1 − 1/1.25.
        {"stretch", "2", "3",
         {{20, 20}, {60, 20}, {100, 20}, {20, 60}, {60, 60}, {100, 60}},
         {{20, 20}, {70, 20}, {120, 20}, {20, 60}, {70, 60}, {120, 60}},
         10, false, {{"20", "140"}, {"60", "140"}}, 0.2, 0, 0, 0},
        // Turned counter-clockwise by the angle whose tangent is 3/4 about the
        // lower left point: segments of 50 pixels stay 50 long.
        {"rotation", "2", "2",
         {{40, 60}, {90, 60}, {40, 110}, {90, 110}},
         {{10, 70}, {50, 40}, {40, 110}, {80, 80}},
         7, true, {{"40", "90"}}, 0, 0, 0, 36.8699},
    };
    for (const PickedGridCase& c : cases) {
        SCOPED_TRACE(c.name);
        openPicture();
        EXPECT_EQ(redPixels(), 0); // the marks of the last grid went with it
        EXPECT_EQ(item("MOperateView")->text(), QStringLiteral("网格浏览"));

        click("MOperateData0");
        for (QPoint p : c.before)
            pickAt(p);
        type(1, 5, c.rows);
        type(1, 6, c.cols);
        click("MOperateData1");
        EXPECT_FALSE(item("MOperateData0")->isChecked());
        for (QPoint p : c.after)
            pickAt(p);
        EXPECT_EQ(window_->pointsPickedBefore(), static_cast<int>(c.before.size()));
        EXPECT_EQ(window_->pointsPickedAfter(), static_cast<int>(c.after.size()));
        EXPECT_EQ(redPixels(), c.marks); // points that kept their place share a mark
        // y counts upwards from the bottom edge.
        EXPECT_EQ(cell(1, 1), QString::number(c.before[0].x()));
        EXPECT_EQ(cell(1, 2), QString::number(kPictureHeight - c.before[0].y()));
        EXPECT_EQ(cell(2, 4), QString::number(kPictureHeight - c.after[1].y()));
        EXPECT_EQ(cell(1, 5), QString::fromLatin1(c.rows));

        dialogs().execAnswers.push_back(resultFiles(QString::fromLatin1(c.name), c.carried));
        click("MOperateCompute");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("Tarvel氏网格法计算完毕,可用WinSurf等软件绘制应变场等值线图！"));
        EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("完成"));
        dialogs().messages.clear();
        EXPECT_FALSE(grid()->isHidden());

        const struct {
            const char* file;
            double value;
            double tolerance;
        } files[] = {{"Lex.txt", c.strainX, 1e-12}, {"Ley.txt", c.strainY, 1e-12},
                     {"Lexy.txt", c.shear, 1e-12},  {"Lzj.txt", c.rotation, 1e-4}};
        for (const auto& f : files) {
            const std::string text = fileText(path(c.name) + QString::fromLatin1(f.file));
            std::vector<std::string> lines;
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t end = text.find("\r\n", at);
                ASSERT_NE(end, std::string::npos) << f.file;
                lines.push_back(text.substr(at, end - at));
                at = end + 2;
            }
            ASSERT_EQ(lines.size(), c.placedAt.size()) << f.file;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                EXPECT_EQ(lines[i].substr(0, 28), zoneLine(c.placedAt[i].first, c.placedAt[i].second, "x").substr(0, 28));
                EXPECT_NEAR(std::stod(lines[i].substr(28)), f.value, f.tolerance) << f.file << " " << lines[i];
            }
        }
    }
    // Exact lines of the stretch: the value as print text.
    EXPECT_EQ(fileText(path("stretchLex.txt")),
              zoneLine("20", "140", " .2 ") + "\r\n" + zoneLine("60", "140", " .2 ") + "\r\n");
    EXPECT_EQ(fileText(path("stretchLzj.txt")),
              zoneLine("20", "140", " 0 ") + "\r\n" + zoneLine("60", "140", " 0 ") + "\r\n");
}

TEST_F(GridStrainWindowTest, PickingModesReadoutAndTheView)
{
    openPicture();
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_FALSE(picture()->isHidden());
    EXPECT_EQ(picture()->pos(), QPoint((window_->width() - kPictureWidth) / 2, (window_->height() - kPictureHeight) / 2));

    // No mode: clicks and moves change nothing.
    pickAt({10, 20});
    moveTo({10, 20});
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(frame_.panel3, test::FakeFrame::numLock());

    click("MOperateData0");
    pickAt({10, 20});
    pickAt({30, 20}, Qt::RightButton);
    moveTo({15, 75});
    EXPECT_EQ(frame_.panel3, QStringLiteral("X: 15  Y: 125"));
    EXPECT_EQ(picture()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(window_->pointsPickedBefore(), 1);
    EXPECT_EQ(cell(1, 1), "10");
    EXPECT_EQ(cell(1, 2), "180");
    EXPECT_EQ(cell(2, 1), QString());
    type(1, 5, "3");
    type(1, 6, "4");

    // The second mode keeps the first's columns and the counts.
    click("MOperateData1");
    pickAt({12, 22});
    EXPECT_EQ(cell(1, 3), "12");
    EXPECT_EQ(cell(1, 1), "10");
    EXPECT_EQ(cell(1, 5), "3");
    // Turning it off changes nothing; with both off the readout stays put.
    click("MOperateData1");
    moveTo({50, 50});
    EXPECT_EQ(frame_.panel3, QStringLiteral("X: 15  Y: 125"));
    EXPECT_EQ(picture()->cursor().shape(), Qt::ArrowCursor);
    // The first mode again starts afresh: its columns and the counts go.
    click("MOperateData0");
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(cell(1, 5), QString());
    EXPECT_EQ(cell(1, 3), "12");

    // The table has room for 499 points; a further click is refused.
    for (int i = 0; i < 500; ++i)
        pickAt({i % kPictureWidth, i / kPictureWidth});
    EXPECT_EQ(window_->pointsPickedBefore(), 499);
    EXPECT_EQ(cell(499, 1), QString::number(498 % kPictureWidth));
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("表格已有499个点，不能再点取！"));
    EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));

    // The saved picture carries the picked points.
    dialogs().saveAnswers.push_back(path("picked.bmp"));
    click("MFileSavePicture");
    EXPECT_EQ(dialogs().saveFilters.back(), QStringLiteral("位图文件(*.bmp)|*.bmp|所有文件|*.*"));
    EXPECT_EQ(QImage(path("picked.bmp")).pixel(12, 22) & 0xFFFFFF, 0xFF0000u);

    // The view item names the view that its next click shows.
    click("MOperateView");
    EXPECT_EQ(item("MOperateView")->text(), QStringLiteral("显示图片"));
    EXPECT_FALSE(grid()->isHidden());
    EXPECT_TRUE(picture()->isHidden());
    click("MOperateView");
    EXPECT_EQ(item("MOperateView")->text(), QStringLiteral("网格浏览"));
    EXPECT_TRUE(grid()->isHidden());

    // A file that is not a picture is reported and the picture stays.
    const QString notPicture = path("notes.bmp");
    writeFile(notPicture, "not a picture");
    dialogs().openAnswers.push_back(notPicture);
    click("MFileOpenPicture");
    EXPECT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(picture()->pictureSize(), QSize(kPictureWidth, kPictureHeight));
}

// ---- grid point files ------------------------------------------------------------

TEST_F(GridStrainWindowTest, GridFilesRoundTripAndStayApartFromTheTable)
{
    EXPECT_FALSE(item("MOperateData0")->isEnabled());
    const char* table[][4] = {{"10", "20", "11", "21"}, {"30", "20", "32.5", "21"},
                              {"10", "0", "11", "1"},   {"30", "0", "-31", "1"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            grid()->setTextMatrix(r + 1, c + 1, QString::fromLatin1(table[r][c]));
    grid()->setTextMatrix(1, 5, "2");
    grid()->setTextMatrix(1, 6, "2");

    // OK needs both names; the dialog stays open until then.
    dialogs().execAnswers.push_back([this](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("保存网格数据"));
        auto* ok = d->findChild<QPushButton*>(QStringLiteral("Command3"));
        ok->click();
        d->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(path("before.txt"));
        ok->click();
        EXPECT_EQ(d->result(), QDialog::Rejected);
        return gridFiles(path("before.txt"), path("after.txt"))(d);
    });
    click("MFileSaveData");
    ASSERT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("请输入初始网格数据文件!"));
    EXPECT_EQ(dialogs().messages[1].text, QStringLiteral("请输入变形后网格数据文件!"));
    dialogs().messages.clear();
    EXPECT_TRUE(window_->gridDataOK());

    auto lines = [](std::initializer_list<std::pair<const char*, const char*>> points) {
        std::string text = zones({" 4 ", " 2 ", " 2 "}) + "\r\n";
        for (const auto& [x, y] : points)
            text += zones({x, y}) + "\r\n";
        return text;
    };
    EXPECT_EQ(fileText(path("before.txt")), lines({{" 10 ", " 20 "}, {" 30 ", " 20 "}, {" 10 ", " 0 "}, {" 30 ", " 0 "}}));
    EXPECT_EQ(fileText(path("after.txt")), lines({{" 11 ", " 21 "}, {" 32.5 ", " 21 "}, {" 11 ", " 1 "}, {"-31 ", " 1 "}}));

    // Read back over other contents.
    grid()->setTextMatrix(2, 3, "99");
    grid()->setTextMatrix(7, 1, "5");
    openPicture();
    dialogs().execAnswers.push_back(gridFiles(path("before.txt"), path("after.txt")));
    click("MFileOpenData");
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(cell(2, 3), "32.5");
    EXPECT_EQ(cell(4, 3), "-31");
    EXPECT_EQ(cell(7, 1), QString());
    EXPECT_EQ(cell(1, 6), "2");
    EXPECT_FALSE(grid()->isHidden());
    EXPECT_TRUE(picture()->isHidden());
    EXPECT_EQ(item("MOperateView")->text(), QStringLiteral("显示图片"));
    for (const char* name : {"MOperateView", "MOperateData0", "MOperateData1"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
}

TEST_F(GridStrainWindowTest, RefusedGridFilesKeepThePointsReadOnceTheHeadersAgree)
{
    std::string points12;
    for (int i = 0; i < 12; ++i)
        points12 += std::to_string(i) + ",1\r\n";
    std::string points500, points600;
    for (int i = 0; i < 600; ++i)
        (i < 500 ? points500 : points600) += "1 2\r\n";
    points600 = points500 + points600;
    const struct {
        const char* name;
        std::string before; // empty: no such file
        std::string after;
        const char* message;
        QStringList row1; // columns 1 to 6 afterwards
        const char* row2; // column 1
        const char* row499;
    } cases[] = {
        {"headers disagree", "12 3 4\r\n" + points12, "12 4 3\r\n" + points12, "数据有误，请检查！",
         {"7", "", "", "", "1", ""}, "", ""},
        {"a file that is not there", "4 2 2\r\n1 1\r\n", "", "数据有误，请检查！", {"7", "", "", "", "1", ""}, "", ""},
        // The headers agree: the table takes what was read before the fault.
        {"more points than the table holds", "600 20 30\r\n" + points600, "600 20 30\r\n" + points600,
         "数据有误，请检查！", {"1", "2", "1", "2", "20", "30"}, "1", "1"},
        {"one point more than the table holds", "500 20 25\r\n" + points500, "500 20 25\r\n" + points500,
         "数据有误，请检查！", {"1", "2", "1", "2", "20", "25"}, "1", "1"},
        {"fewer points than the header", "12 3 4\r\n1 2\r\n5 6\r\n", "12 3 4\r\n3 4\r\n", "数据有误，请检查！",
         {"1", "2", "3", "4", "3", "4"}, "", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid()->clearColumns(1, 6);
        grid()->setTextMatrix(1, 1, "7");
        grid()->setTextMatrix(1, 5, "1");
        const QString before = path("b") + QString::number(n), after = path("a") + QString::number(n++);
        writeFile(before, c.before);
        if (!c.after.empty())
            writeFile(after, c.after);
        dialogs().execAnswers.push_back(gridFiles(before, after));
        click("MFileOpenData");
        ASSERT_EQ(dialogs().messages.size(), 1u);
        EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(c.message));
        dialogs().messages.clear();
        QStringList row1;
        for (int column = 1; column <= 6; ++column)
            row1 << cell(1, column);
        EXPECT_EQ(row1, c.row1);
        EXPECT_EQ(cell(2, 1), QString::fromLatin1(c.row2));
        EXPECT_EQ(cell(499, 1), QString::fromLatin1(c.row499));
        EXPECT_FALSE(grid()->isHidden());
        // The files read stay as they were.
        EXPECT_EQ(fileText(before), c.before);
        if (!c.after.empty()) {
            EXPECT_EQ(fileText(after), c.after);
        }
    }

    // Cancel does nothing further.
    dialogs().execAnswers.push_back([](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        return d->result();
    });
    click("MFileOpenData");
    EXPECT_FALSE(window_->gridDataOK());
    EXPECT_TRUE(window_->initGridFile().isEmpty());

    // A table with fewer points than rows x cols is not saved: no file appears.
    grid()->setTextMatrix(1, 2, "8");
    grid()->setTextMatrix(1, 3, "7");
    grid()->setTextMatrix(1, 4, "8");
    grid()->setTextMatrix(1, 6, "2");
    dialogs().execAnswers.push_back(gridFiles(path("short1.txt"), path("short2.txt")));
    click("MFileSaveData");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
    EXPECT_FALSE(QFile::exists(path("short1.txt")));
    EXPECT_FALSE(QFile::exists(path("short2.txt")));

    // Files that cannot be written are bad data to the user as well.
    grid()->setTextMatrix(1, 5, "1");
    grid()->setTextMatrix(1, 6, "1");
    dialogs().messages.clear();
    dialogs().execAnswers.push_back(gridFiles(path("missing/1.txt"), path("missing/2.txt")));
    click("MFileSaveData");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("数据有误，请检查！"));
}

TEST_F(GridStrainWindowTest, RefusedComputationsLeaveTheResultFilesAlone)
{
    const struct {
        const char* name;
        std::vector<const char*> row1; // columns 1 to 6 of row 1
        std::vector<const char*> row2;
        bool cancel;
        const char* title; // empty: no message
        const char* text;
    } cases[] = {
        {"cancelled", {"0", "0", "0", "0", "2", "1"}, {"0", "10", "0", "10"}, true, "", ""},
        {"both counts negative", {"0", "0", "0", "0", "-2", "-1"}, {"0", "10", "0", "10"}, false, "错误！",
         "网格数据有误，请仔细检查！"},
        {"coinciding deformed points", {"0", "0", "5", "5", "2", "2"}, {"10", "0", "5", "5"}, false, "错误",
         "网格数据有误，请仔细检查！"},
    };
    const char* names[] = {"Lex.txt", "Ley.txt", "Lexy.txt", "Lzj.txt"};
    for (const char* name : names)
        writeFile(path("run") + QString::fromLatin1(name), "earlier run\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid()->clearColumns(1, 6);
        for (int col = 0; col < 6; ++col)
            grid()->setTextMatrix(1, col + 1, QString::fromLatin1(c.row1[static_cast<std::size_t>(col)]));
        for (int col = 0; col < 4; ++col)
            grid()->setTextMatrix(2, col + 1, QString::fromLatin1(c.row2[static_cast<std::size_t>(col)]));
        if (c.cancel)
            dialogs().execAnswers.push_back([](QDialog* d) {
                d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
                return d->result();
            });
        else
            dialogs().execAnswers.push_back(resultFiles(QStringLiteral("run"), false));
        click("MOperateCompute");
        if (*c.title == '\0') {
            EXPECT_TRUE(dialogs().messages.empty());
            EXPECT_FALSE(window_->outputOK());
        } else {
            ASSERT_EQ(dialogs().messages.size(), 1u);
            EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(c.text));
            EXPECT_EQ(dialogs().messages[0].title, QString::fromUtf8(c.title));
            EXPECT_EQ(dialogs().messages[0].icon, MessageIcon::Exclamation);
        }
        dialogs().messages.clear();
        for (const char* name : names)
            EXPECT_EQ(fileText(path("run") + QString::fromLatin1(name)), "earlier run\r\n") << name;
    }

    // Result files that cannot be written are reported as such.
    grid()->setTextMatrix(1, 3, "0");
    grid()->setTextMatrix(1, 4, "0");
    grid()->setTextMatrix(1, 5, "1");
    dialogs().execAnswers.push_back(resultFiles(QStringLiteral("missing/"), false));
    click("MOperateCompute");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("错误"));
    EXPECT_EQ(dialogs().messages[0].text, QStringLiteral("网格法结果文件无法写入，请检查文件名、权限和磁盘空间！"));
    EXPECT_EQ(dialogs().messages[0].icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace kv
