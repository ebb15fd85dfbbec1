// The line-curvature window as a user drives it: a picture of a thick ring
// opened, binarised against a threshold, thinned click by click to a line one
// pixel wide, measured, looked up under the pointer and saved; and the
// answers and files it refuses without losing the work done.
#include "strain/ui/curvature_window.h"

#include "platform/ui/data_grid.h"
#include "platform/ui/picture_box.h"
#include "strain/core/pixel_map.h"
#include "tests/support/claimed_pictures.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/fake_frame.h"
#include "tests/support/picture_files.h"
#include "tests/support/strain_pictures.h"
#include "tests/support/strain_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace kv {
namespace {

using test::FakeDialogs;

constexpr int kWidth = 260;
constexpr int kHeight = 200;
// A thick ring for the thinning, and a drawn one-pixel circle to measure.
constexpr double kRingX = 60, kRingY = 100, kRingRadius = 30;
constexpr int kCircleX = 190, kCircleY = 100, kCircleRadius = 50;

// Greys of 127 and 128 (1.01 times the channel value, rounded) on the left
// edge, where thinning and the walk never reach.
constexpr QPoint kGrey127(0, 10);
constexpr QPoint kGrey128(0, 12);

// A dark ring seven pixels thick and a one-pixel circle of radius 50, on white.
PixelImage ringPicture()
{
    PixelImage picture(kWidth, kHeight, test::kWhite);
    test::fillDisc(picture, kRingX, kRingY, kRingRadius + 3.5, 0x202020);
    test::fillDisc(picture, kRingX, kRingY, kRingRadius - 3.5, test::kWhite);
    test::drawCircle(picture, kCircleX, kCircleY, kCircleRadius, 0x202020);
    picture.set(kGrey127.x(), kGrey127.y(), 0x7E7E7E);
    picture.set(kGrey128.x(), kGrey128.y(), 0x7F7F7F);
    return picture;
}

bool isBlack(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

int pixelsOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

class CurvatureWindowTest : public test::StrainWindowTest<CurvatureWindow> {
protected:
    CurvatureWindowTest() : StrainWindowTest("curvature", QSize(800, 600)) {}

    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << name;
        return f.fileName();
    }
    QByteArray fileBytes(const QString& file) const
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }

    void openPicture(const char* name, const PixelImage& pixels)
    {
        dialogs().openAnswers.push_back(test::writeBmpFile(dir_, name, pixels));
        click("MFileOpen");
    }
    void binarise(const char* threshold)
    {
        dialogs().inputAnswers.push_back(QString::fromLatin1(threshold));
        click("MOperateBlack");
    }
    // Thinning clicks until the picture stops changing; how many changed it.
    int thinToTheEnd()
    {
        for (int clicks = 0; clicks < 40; ++clicks) {
            const QImage before = picture()->image();
            click("MOperateXihua");
            if (picture()->image() == before)
                return clicks;
        }
        ADD_FAILURE() << "thinning never ended";
        return -1;
    }
    void press(PictureBox* box, QPoint at, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(box, button, {}, at);
    }
    // The picture shows the map: black wherever the map is not background.
    void expectPictureShowsMap() const
    {
        const QImage image = picture()->image();
        const PixelMap& map = window_->pixelMap();
        ASSERT_EQ(image.size(), QSize(map.width, map.height));
        int differing = 0;
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x)
                differing += isBlack(image, x, y) != (map.at(x, y) != PixelMap::background);
        EXPECT_EQ(differing, 0);
    }

};

TEST_F(CurvatureWindowTest, RingFromPictureToListedCurvature)
{
    EXPECT_TRUE(window_->opensMaximized());
    EXPECT_EQ(grid()->rows(), 1);
    EXPECT_EQ(grid()->textMatrix(0, 3), QStringLiteral("断裂线曲率"));
    for (const char* name : {"MOperateBlack", "MOperateXihua", "MOperateCurvature"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;

    openPicture("ring.bmp", ringPicture());
    EXPECT_FALSE(picture()->isHidden());
    EXPECT_TRUE(grid()->isHidden());
    EXPECT_TRUE(item("MOperateBlack")->isEnabled());
    EXPECT_FALSE(item("MOperateXihua")->isEnabled());

    binarise(" 128 ");
    EXPECT_EQ(dialogs().inputPrompts, QStringList{QStringLiteral("请输入黑白阀值大小(0-255):")});
    const QImage binary = picture()->image();
    EXPECT_EQ(pixelsOf(binary, qRgb(0, 0, 0)) + pixelsOf(binary, qRgb(255, 255, 255)), kWidth * kHeight);
    EXPECT_TRUE(isBlack(binary, kGrey127.x(), kGrey127.y()));  // 127 < 128
    EXPECT_FALSE(isBlack(binary, kGrey128.x(), kGrey128.y())); // 128 is not below 128
    expectPictureShowsMap();
    EXPECT_TRUE(item("MOperateXihua")->isEnabled());
    EXPECT_TRUE(item("MOperateCurvature")->isEnabled());
    EXPECT_TRUE(window_->strip()->isHidden());

    // One iteration per click: a ring seven pixels thick takes a few.
    EXPECT_GE(thinToTheEnd(), 2);
    expectPictureShowsMap();
    const QImage thin = picture()->image();
    for (int y = 0; y + 1 < kHeight; ++y)
        for (int x = 0; x + 1 < kWidth; ++x)
            ASSERT_FALSE(isBlack(thin, x, y) && isBlack(thin, x + 1, y) && isBlack(thin, x, y + 1) &&
                         isBlack(thin, x + 1, y + 1))
                << "a 2 x 2 block at " << x << ", " << y;
    PixelImage circle(kWidth, kHeight, test::kWhite);
    test::drawCircle(circle, kCircleX, kCircleY, kCircleRadius);
    int circleChanged = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = kCircleX - kCircleRadius; x <= kCircleX + kCircleRadius; ++x)
            circleChanged += isBlack(thin, x, y) != (circle.at(x, y) == test::kBlack);
    EXPECT_EQ(circleChanged, 0) << "the one-pixel circle was thin already";
    EXPECT_GT(pixelsOf(thin.copy(0, 0, 2 * kRingX, kHeight), qRgb(0, 0, 0)), 150); // a whole ring, about 2π·30 long

    click("MOperateCurvature");
    EXPECT_FALSE(window_->resultPlot()->isHidden());
    EXPECT_TRUE(window_->strip()->isHidden());
    const QImage plot = window_->resultPlot()->image();
    EXPECT_GT(pixelsOf(plot, qRgb(255, 0, 0)), 100);
    EXPECT_GT(pixelsOf(plot, qRgb(0, 255, 0)), 100);

    // Curvature is 100/R: 2 on the circle of radius 50, where it runs across.
    const int rows = grid()->rows() - 1;
    ASSERT_GT(rows, 50);
    std::vector<double> across;
    for (int r = 1; r <= rows; ++r) {
        EXPECT_EQ(grid()->textMatrix(r, 0), QString::number(r));
        const int x = grid()->textMatrix(r, 1).toInt();
        const int y = kHeight - grid()->textMatrix(r, 2).toInt(); // column 2 counts up from the bottom
        EXPECT_TRUE(isBlack(thin, x, y)) << x << ", " << y;
        if (std::abs(x - kCircleX) < kCircleRadius / 2)
            across.push_back(grid()->textMatrix(r, 3).toDouble());
    }
    ASSERT_GT(across.size(), 20u);
    std::nth_element(across.begin(), across.begin() + across.size() / 2, across.end());
    EXPECT_NEAR(across[across.size() / 2], 2.0, 0.2);

    // The right button on the plot hides it; on the picture it shows it again.
    press(window_->resultPlot(), {10, 10}, Qt::RightButton);
    EXPECT_TRUE(window_->resultPlot()->isHidden());
    const int x1 = grid()->textMatrix(1, 1).toInt(), y1 = kHeight - grid()->textMatrix(1, 2).toInt();
    press(picture(), {x1, y1});
    EXPECT_EQ(frame_.panel3, QStringLiteral("曲率:") + grid()->textMatrix(1, 3));
    press(picture(), {5, 195});
    EXPECT_EQ(frame_.panel3, QStringLiteral("曲率："));
    press(picture(), {x1, y1}, Qt::RightButton);
    EXPECT_FALSE(window_->resultPlot()->isHidden());
    EXPECT_EQ(frame_.panel3, QStringLiteral("曲率："));

    // The table as x, y, value lines, each item in its own print zone.
    dialogs().saveAnswers.push_back(path("curvature.txt"));
    click("MFileSaveData");
    std::string expected;
    for (int r = 1; r <= rows; ++r) {
        std::string line = grid()->textMatrix(r, 1).toStdString();
        line += std::string(14 - line.size(), ' ') + grid()->textMatrix(r, 2).toStdString();
        line += std::string(28 - line.size(), ' ') + grid()->textMatrix(r, 3).toStdString();
        expected += line + "\r\n";
    }
    EXPECT_EQ(fileText(path("curvature.txt")), expected);

    // "保存图像" saves the result plot.
    dialogs().saveAnswers.push_back(path("plot.bmp"));
    click("MFileSavePicture");
    EXPECT_EQ(QImage(path("plot.bmp")).convertToFormat(QImage::Format_RGB32), plot);
    EXPECT_EQ(dialogs().fileDialogTitles.first(), QStringLiteral("打开位图"));
    EXPECT_EQ(dialogs().fileDialogTitles.last(), QStringLiteral("保存图象"));
    EXPECT_TRUE(dialogs().messages.empty());

    click("MOperateGrid");
    EXPECT_FALSE(grid()->isHidden());
    EXPECT_TRUE(picture()->isHidden());

    // Leaving gives the status panel back to its indicator.
    click("MFileOpenExit");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull());
    EXPECT_EQ(frame_.panel3, test::FakeFrame::numLock());
}

TEST_F(CurvatureWindowTest, RefusedAnswersAndFilesKeepTheWorkDone)
{
    openPicture("ring.bmp", ringPicture());
    binarise("128");
    click("MOperateXihua");
    const QImage worked = picture()->image();
    const std::vector<std::int16_t> map = window_->pixelMap().cells;

    const QString notPicture = path("notes.bmp");
    {
        QFile f(notPicture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    const QByteArray wholeBmp = fileBytes(test::writeBmpFile(dir_, "whole.bmp", ringPicture()));
    const struct {
        const char* name;
        const char* threshold; // binarise with this answer, or
        QString file;          // open this file
        const char* title;     // of the message; empty: none
        const char* text;
    } cases[] = {
        {"cancelled threshold", "", {}, "", ""},
        {"threshold not a number", "dark", {}, "", ""},
        {"threshold beyond 16 bits", "40000", {}, "", ""},
        {"not a picture", nullptr, notPicture, "提示", nullptr},
        {"too large for the window", nullptr, test::writeBmpFile(dir_, "tall.bmp", PixelImage(100, 700)), "警告",
         "图象太大，请压缩后在输入！"},
        // Its size is asked before the picture is decoded: the window's own message.
        {"larger than memory holds", nullptr, writeFile("huge.jpg", test::jpegClaiming(65000, 65000)), "警告",
         "图象太大，请压缩后在输入！"},
        {"cut to a third", nullptr, writeFile("cut.bmp", test::cutShort(wholeBmp, 1.0 / 3)), "提示",
         "图像文件已损坏或不完整，无法读取！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.threshold) {
            binarise(c.threshold);
        } else {
            dialogs().openAnswers.push_back(c.file);
            click("MFileOpen");
        }
        if (*c.title == '\0') {
            EXPECT_TRUE(dialogs().messages.empty());
        } else {
            ASSERT_EQ(dialogs().messages.size(), 1u);
            EXPECT_EQ(dialogs().messages[0].title, QString::fromUtf8(c.title));
            if (c.text) {
                EXPECT_EQ(dialogs().messages[0].text, QString::fromUtf8(c.text));
            }
        }
        dialogs().messages.clear();
        EXPECT_EQ(picture()->image(), worked);
        EXPECT_EQ(window_->pixelMap().cells, map);
        EXPECT_TRUE(item("MOperateXihua")->isEnabled());
    }

    // A table file that cannot be written is reported.
    dialogs().saveAnswers.push_back(path("missing/curvature.txt"));
    click("MFileSaveData");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].title, QStringLiteral("提示"));
    dialogs().messages.clear();

    // A new picture needs binarising before it can be thinned or measured.
    openPicture("other.bmp", PixelImage(60, 40));
    EXPECT_EQ(picture()->pictureSize(), QSize(60, 40));
    EXPECT_TRUE(item("MOperateBlack")->isEnabled());
    EXPECT_FALSE(item("MOperateXihua")->isEnabled());
    EXPECT_FALSE(item("MOperateCurvature")->isEnabled());
}

} // namespace
} // namespace kv
