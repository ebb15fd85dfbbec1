#include "platform/ui/picture_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include <sys/resource.h>

namespace kv {
namespace {

constexpr double pi = 3.141592653589793;

// Same size and the same colour in every pixel (alpha ignored).
bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff))
                return false;
    return true;
}

// Pixels in the rectangle that differ from white.
int inkedPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff)
                ++count;
    return count;
}

QColor pixelAt(const PictureBox& box, int x, int y) { return box.image().pixelColor(x, y); }

// The joint rose's picture: 300 x 300, origin in the centre, y up.
void roseScale(PictureBox& box)
{
    box.setPictureSize(300, 300);
    box.setScale(-150, 150, 150, -150);
}

// The stereonet picture: 400 x 300, net centre at pixel (150,150), a text column on the right.
void netScale(PictureBox& box)
{
    box.setPictureSize(400, 300);
    box.setScale(-150, 150, 250, -150);
}

TEST(PictureBoxScale, UserPointsLandOnTheExpectedPixels)
{
    struct Case {
        bool net;
        double x, y;
        QPointF pixel;
    };
    const Case cases[] = {
        {true, 0, 0, {150, 150}},    {true, -150, 150, {0, 0}},  {true, 250, -150, {400, 300}},
        {true, 100, 0, {250, 150}},  {true, 0, 100, {150, 50}},  {true, 200, -100, {350, 250}},
        {false, 0, 0, {150, 150}},   {false, 100, -100, {250, 250}}, {false, -150, -150, {0, 300}},
    };
    PictureBox box;
    for (const Case& c : cases) {
        c.net ? netScale(box) : roseScale(box);
        EXPECT_EQ(box.toPixel(c.x, c.y), c.pixel) << c.x << "," << c.y;
        const QPointF back = box.toUser(c.pixel);
        EXPECT_DOUBLE_EQ(back.x(), c.x);
        EXPECT_DOUBLE_EQ(back.y(), c.y);
    }
    EXPECT_EQ(box.scaleWidth(), 300);
    EXPECT_EQ(box.scaleHeight(), -300);
}

TEST(PictureBoxScale, PixelScaleFollowsTheSizeAndWidgetIsThePicture)
{
    PictureBox box;
    box.setPictureSize(120, 80);
    box.setPixelScale();
    EXPECT_EQ(box.size(), QSize(120, 80));
    EXPECT_EQ(box.pictureSize(), QSize(120, 80));
    QImage loaded(64, 32, QImage::Format_ARGB32);
    loaded.fill(QColor(10, 20, 30));
    box.setPicture(loaded);
    EXPECT_EQ(box.size(), QSize(64, 32));
    EXPECT_EQ(box.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(box.scaleWidth(), 64);
    EXPECT_EQ(box.point(5, 5), 10 | 20 << 8 | 30 << 16);

    box.setScale(0, 0, 10, 10); // a user scale stays when the size changes
    box.setPictureSize(200, 100);
    EXPECT_EQ(box.scaleWidth(), 10);
    EXPECT_EQ(box.toPixel(5, 5), QPointF(100, 50));
}

TEST(PictureBoxDrawing, LineIncludesBothEndPixelsInItsColour)
{
    PictureBox box;
    roseScale(box);
    box.line(-100, 0, 105, 0, QColor(Qt::red));
    EXPECT_EQ(pixelAt(box, 50, 150), QColor(Qt::red));
    EXPECT_EQ(pixelAt(box, 255, 150), QColor(Qt::red));
    EXPECT_EQ(pixelAt(box, 49, 150), QColor(Qt::white));
    EXPECT_EQ(pixelAt(box, 256, 150), QColor(Qt::white));
    EXPECT_EQ(pixelAt(box, 150, 149), QColor(Qt::white));
    EXPECT_EQ(box.currentX(), 105);
    EXPECT_EQ(box.currentY(), 0);
    EXPECT_EQ(box.foreColor(), QColor(Qt::black)); // the colour argument doesn't stay

    box.lineTo(105, 50); // from the current point, in the fore colour
    EXPECT_EQ(pixelAt(box, 255, 100), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 255, 125), QColor(Qt::black));
}

TEST(PictureBoxDrawing, BoxFilledOrOutlined)
{
    PictureBox box;
    roseScale(box);
    box.box(10, -10, -10, 10, QColor(Qt::blue), true); // corners in either order
    EXPECT_EQ(inkedPixels(box.image(), QRect(140, 140, 21, 21)), 21 * 21);
    EXPECT_EQ(inkedPixels(box.image(), QRect(130, 130, 41, 41)), 21 * 21);
    EXPECT_EQ(pixelAt(box, 150, 150), QColor(Qt::blue));

    box.cls();
    box.box(-10, 10, 10, -10);
    EXPECT_EQ(pixelAt(box, 140, 140), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 160, 160), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 150, 140), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 150, 150), QColor(Qt::white));
    EXPECT_EQ(inkedPixels(box.image(), QRect(0, 0, 300, 300)), 4 * 20);
}

TEST(PictureBoxDrawing, CircleTouchesTheFourCompassPoints)
{
    PictureBox box;
    roseScale(box);
    box.circle(0, 0, 100, QColor(Qt::red));
    for (QPoint p : {QPoint(250, 150), QPoint(50, 150), QPoint(150, 50), QPoint(150, 250)})
        EXPECT_EQ(pixelAt(box, p.x(), p.y()), QColor(Qt::red)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(251, 150), QPoint(249, 150), QPoint(150, 49), QPoint(150, 251), QPoint(150, 150)})
        EXPECT_EQ(pixelAt(box, p.x(), p.y()), QColor(Qt::white)) << p.x() << "," << p.y();
    EXPECT_EQ(box.currentX(), 0);

    // Different scales across and down: the circle stays round, its radius counted across.
    box.setScale(-300, 150, 300, -150); // 2 units a pixel across, 1 down
    box.cls();
    box.circle(0, 0, 100);
    EXPECT_EQ(pixelAt(box, 200, 150), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 150, 100), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 150, 50), QColor(Qt::white));
}

TEST(PictureBoxDrawing, ArcRunsCounterClockwiseAndNegativeEndsDrawRadii)
{
    PictureBox box;
    roseScale(box);
    box.circle(0, 0, 100, {}, 0.0, pi / 2); // east to north
    EXPECT_EQ(pixelAt(box, 250, 150), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 150, 50), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 50, 150), QColor(Qt::white));
    EXPECT_EQ(pixelAt(box, 150, 250), QColor(Qt::white));
    EXPECT_EQ(pixelAt(box, 200, 150), QColor(Qt::white)); // no radius lines

    box.cls();
    box.circle(0, 0, 100, {}, -pi / 2, pi); // north to west, radius to the north end
    EXPECT_EQ(pixelAt(box, 150, 100), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 50, 150), QColor(Qt::black));
    EXPECT_EQ(pixelAt(box, 100, 150), QColor(Qt::white)); // the west end had no minus sign
    EXPECT_EQ(pixelAt(box, 250, 150), QColor(Qt::white));
}

TEST(PictureBoxDrawing, ForeColorWidthAndStylePersist)
{
    PictureBox box;
    roseScale(box);
    box.setForeColor(Qt::green);
    box.setDrawWidth(3);
    box.line(-50, 0, 50, 0);
    box.line(-50, 50, 50, 50);
    for (int y : {149, 150, 151, 99, 100, 101})
        EXPECT_EQ(pixelAt(box, 150, y), QColor(Qt::green)) << y;
    EXPECT_EQ(pixelAt(box, 150, 147), QColor(Qt::white));
    EXPECT_EQ(box.drawWidth(), 3);

    box.cls();
    box.setDrawWidth(1);
    box.setDrawStyle(5); // invisible
    box.line(-50, 0, 50, 0);
    box.circle(0, 0, 30);
    EXPECT_EQ(inkedPixels(box.image(), QRect(0, 0, 300, 300)), 0);
    EXPECT_EQ(box.currentX(), 0); // but the current point still moves

    box.setDrawStyle(2); // dotted: gaps along the line
    box.line(-50, 0, 50, 0);
    const int dotted = inkedPixels(box.image(), QRect(100, 150, 101, 1));
    EXPECT_GT(dotted, 20);
    EXPECT_LT(dotted, 90);
}

TEST(PictureBoxDrawing, PsetPointRoundTripWithRedInTheLowByte)
{
    PictureBox box;
    roseScale(box);
    const struct {
        QColor colour;
        std::int64_t value;
    } cases[] = {{QColor(1, 2, 3), 0x030201}, {QColor(255, 0, 0), 0xff}, {QColor(0, 0, 255), 0xff0000},
                 {QColor(255, 255, 255), 0xffffff}, {QColor(0, 0, 0), 0}};
    for (const auto& c : cases) {
        box.pset(20, 30, c.colour);
        EXPECT_EQ(box.point(20, 30), c.value);
        EXPECT_EQ(pixelAt(box, 170, 120), c.colour);
    }
    EXPECT_EQ(box.currentX(), 20);
    EXPECT_EQ(box.currentY(), 30);
    EXPECT_EQ(box.point(-150, 150), 0xffffff); // top-left pixel, back colour
    EXPECT_EQ(box.point(150, 0), -1);        // pixel 300: just outside
    EXPECT_EQ(box.point(0, -150.2), -1);
    EXPECT_EQ(box.point(-151, 0), -1);
    EXPECT_EQ(box.point(std::nan(""), 0), -1);
}

TEST(PictureBoxDrawing, WideDotsAreTheSameShapeWhereverTheyLand)
{
    // Pixels inked by one dot of each width, at points all over the picture
    // (whole, half and odd user positions): 2 gives a 2 x 2 block, 3 a 3 x 3
    // block, 4 a 4 x 4 block without its corners, 5 and 6 their blocks
    // without the corner pixels.
    const struct {
        int width;
        int pixels;
    } widths[] = {{1, 1}, {2, 4}, {3, 9}, {4, 12}, {5, 21}, {6, 32}};
    for (const auto& w : widths)
        for (double x : {-140.0, -71.5, -3.25, 0.0, 48.7, 133.5})
            for (double y : {-139.0, -60.5, 0.0, 17.3, 99.5, 140.0}) {
                PictureBox box;
                roseScale(box);
                box.setDrawWidth(w.width);
                box.pset(x, y, QColor(Qt::black));
                const QPoint at = box.toPixel(x, y).toPoint();
                EXPECT_EQ(inkedPixels(box.image(), QRect(0, 0, 300, 300)), w.pixels) << w.width << " " << x << " " << y;
                EXPECT_EQ(pixelAt(box, at.x(), at.y()), QColor(Qt::black)) << w.width << " " << x << " " << y;
            }
}

TEST(PictureBoxDrawing, ClsClearsToTheBackColourAndResetsTheCurrentPoint)
{
    PictureBox box;
    roseScale(box);
    box.line(-100, -100, 100, 100, QColor(Qt::red));
    box.setCurrent(40, 50);
    box.cls();
    EXPECT_EQ(inkedPixels(box.image(), QRect(0, 0, 300, 300)), 0);
    EXPECT_EQ(box.currentX(), 0);
    EXPECT_EQ(box.currentY(), 0);

    box.setBackColor(Qt::yellow);
    EXPECT_EQ(box.point(-150, 150), 0x00ffff);
    EXPECT_EQ(box.point(149, -149), 0x00ffff);
}

TEST(PictureBoxLayers, DisplayOnlyDrawingIsSeenButNotStored)
{
    PictureBox box;
    roseScale(box);
    box.pset(0, 0, QColor(Qt::blue)); // persistent
    box.setAutoRedraw(false);
    box.line(-50, 10, 50, 10, QColor(Qt::red));
    EXPECT_EQ(box.point(0, 10), 0xff);     // read from the display
    EXPECT_EQ(box.point(0, 0), 0xff0000);  // the stored image shows through
    EXPECT_EQ(pixelAt(box, 150, 140), QColor(Qt::white));
    EXPECT_EQ(box.grab().toImage().pixelColor(150, 140), QColor(Qt::red));

    box.setAutoRedraw(true);
    EXPECT_EQ(box.point(0, 10), 0xffffff); // persistent mode reads the stored image

    box.setAutoRedraw(false);
    box.refresh(); // a repaint restores the stored picture
    EXPECT_EQ(box.point(0, 10), 0xffffff);
    EXPECT_EQ(box.point(0, 0), 0xff0000);

    box.line(-50, 10, 50, 10, QColor(Qt::red));
    box.setAutoRedraw(true);
    box.pset(100, 100, QColor(Qt::green)); // persistent drawing shows the stored image again
    box.setAutoRedraw(false);
    EXPECT_EQ(box.point(0, 10), 0xffffff);
    EXPECT_EQ(box.point(100, 100), 0x00ff00);

    box.line(-50, 10, 50, 10, QColor(Qt::red));
    box.cls(); // clears both layers
    EXPECT_EQ(box.point(0, 10), 0xffffff);
    EXPECT_EQ(box.point(100, 100), 0xffffff);
}

// Counts the paint events of the widget it watches.
class PaintCount : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// Drawing in a batch shares one painter: every sequence must leave the same
// pixels, stored and shown, as the same calls each with a painter of their
// own; a box on screen repaints once when the batch ends.
TEST(PictureBoxBatch, BatchedDrawingLeavesTheSamePixelsAsSingleCalls)
{
    using Draw = std::function<void(PictureBox&)>;
    const std::vector<std::pair<const char*, Draw>> cases = {
        {"every kind after another", [](PictureBox& b) {
             b.setDrawStyle(1);
             b.line(-140, 100, 140, -100);
             b.setDrawStyle(0);
             b.setDrawWidth(3);
             b.circle(0, 0, 60, QColor(Qt::red));
             b.fillPolygon(QPolygonF({{-100, -100}, {-20, -120}, {-60, -40}}), Qt::green);
             b.setDrawWidth(1);
             b.box(-120, 120, -60, 60, QColor(Qt::blue));
             b.box(60, 120, 120, 60, QColor(Qt::magenta), true);
             b.circle(40, -40, 30, {}, -0.5, 2.0);
             b.fillCircle(-40, 40, 20, Qt::cyan);
             b.setDrawWidth(4);
             b.pset(100, -100, QColor(Qt::darkGreen));
             b.setCurrent(-140, -130);
             b.print(QStringLiteral("β 图"));
             b.setDrawStyle(2);
             b.setDrawWidth(1);
             b.lineTo(140, 130);
         }},
        {"dashed chain restarts its pattern at every segment", [](PictureBox& b) {
             b.setDrawStyle(3);
             b.setCurrent(-140, 0);
             for (int i = 1; i <= 28; ++i)
                 b.lineTo(-140 + 10 * i, (i % 2) ? 17 : -13);
         }},
        {"display layer, back to the stored one, cleared half-way", [](PictureBox& b) {
             b.line(-100, -100, 100, 100, QColor(Qt::red));
             b.setAutoRedraw(false);
             b.line(-100, 100, 100, -100, QColor(Qt::blue));
             b.circle(0, 0, 50);
             b.setAutoRedraw(true);
             b.pset(10, 10);
             b.setAutoRedraw(false);
             b.line(-50, 0, 50, 0);
             b.cls();
             b.line(0, -50, 0, 50, QColor(Qt::darkRed));
             b.setAutoRedraw(true);
             b.line(-50, -50, 50, -50, QColor(Qt::darkBlue));
             b.setAutoRedraw(false);
             b.fillCircle(0, 0, 10, Qt::yellow);
         }},
    };
    for (const auto& [name, draw] : cases) {
        PictureBox single, batched;
        roseScale(single);
        roseScale(batched);
        draw(single);
        batched.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&batched)) << name;
        QApplication::processEvents();
        PaintCount shown;
        batched.installEventFilter(&shown);
        {
            const DrawingBatch outer(batched);
            const DrawingBatch inner(batched); // nested pairs end with the outer one
            draw(batched);
        }
        QApplication::processEvents();
        EXPECT_EQ(shown.paints, 1) << name;
        batched.removeEventFilter(&shown);
        EXPECT_TRUE(samePixels(single.image(), batched.image())) << name;
        EXPECT_TRUE(samePixels(single.grab().toImage(), batched.grab().toImage())) << name;
        EXPECT_EQ(single.autoRedraw(), batched.autoRedraw()) << name;
    }
}

// A chain drawn at once leaves what the same lines from the current point
// leave, in every style and width; a point that is not a number breaks it.
TEST(PictureBoxBatch, PolylineDrawsWhatChainedLinesDraw)
{
    const QPolygonF points({{-140, 0}, {-100, 37}, {-60, -41}, {-59, -41}, {0, std::nan("")}, {20, 90},
                            {60, -120}, {140, 130}, {-140, 0}});
    for (int style : {0, 1, 3, 5})
        for (int width : {1, 3}) {
            PictureBox chained, atOnce;
            for (PictureBox* b : {&chained, &atOnce}) {
                roseScale(*b);
                b->setDrawStyle(style);
                b->setDrawWidth(width);
                b->setForeColor(Qt::darkMagenta);
            }
            chained.setCurrent(points.front().x(), points.front().y());
            for (int i = 1; i < points.size(); ++i)
                chained.lineTo(points[i].x(), points[i].y());
            atOnce.polyline(points);
            EXPECT_TRUE(samePixels(chained.image(), atOnce.image())) << style << " " << width;
            EXPECT_EQ(atOnce.currentX(), -140);
            EXPECT_EQ(atOnce.currentY(), 0);
        }
}

// Setting stored pixels or a new picture of the same size leaves no display-only drawing behind.
TEST(PictureBoxLayers, StoredPixelsAndNewPicturesShowWithoutTheDisplayLayer)
{
    PictureBox box;
    box.setPictureSize(20, 10);
    box.setAutoRedraw(false);
    box.line(0, 5, 19, 5, QColor(Qt::red)); // display only
    box.setStoredPixels({{0, 0}, {19, 9}, {20, 0}, {-1, 3}, {3, 5}}, Qt::blue);
    QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(19, 9), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(3, 5), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(10, 5), QColor(Qt::white)); // the red line went with the display layer
    EXPECT_EQ(inkedPixels(box.image(), box.image().rect()), 3);

    box.line(0, 5, 19, 5, QColor(Qt::red));
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    box.setPicture(green);
    shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 5), QColor(Qt::green));
    EXPECT_EQ(box.point(10, 5), 0x00ff00);
}

TEST(PictureBoxText, PrintInksTheTextBoxAndMovesTheCurrentPoint)
{
    PictureBox box;
    roseScale(box);
    box.setCurrent(-70, 140);
    const QString title = QStringLiteral("Strike Rose");
    const double width = box.textWidth(title), height = box.textHeight(title);
    EXPECT_GT(width, 40);
    EXPECT_GT(height, 8);
    box.print(title);
    EXPECT_DOUBLE_EQ(box.currentX(), -70 + width);
    EXPECT_EQ(box.currentY(), 140);

    const QRect textBox(80, 10, int(std::ceil(width)), int(std::ceil(height)));
    const QImage drawn = box.image();
    EXPECT_GT(inkedPixels(drawn, textBox), 40);
    EXPECT_EQ(inkedPixels(drawn, QRect(0, 0, 300, 300)), inkedPixels(drawn, textBox));

    box.print(QStringLiteral("半径："), true); // Chinese text inks too; then the next line
    EXPECT_GT(inkedPixels(box.image(), QRect(textBox.right(), 10, 40, int(height) + 1)), 20);
    EXPECT_EQ(box.currentX(), -150);
    EXPECT_DOUBLE_EQ(box.currentY(), 140 - height); // down the picture: y goes down on this scale

    box.setFontSize(18);
    box.setFontBold(true);
    EXPECT_EQ(box.font().pointSizeF(), 18);
    EXPECT_TRUE(box.font().bold());
    EXPECT_GT(box.textHeight(title), 1.8 * height);
}

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A rose picture with a title, a Chinese caption and a bold count, saved as a bitmap.
bool saveTextPicture(const QString& name)
{
    PictureBox box;
    roseScale(box);
    box.setCurrent(-140, 140);
    box.print(QStringLiteral("Strike Rose 走向玫瑰花图"), true);
    box.setFontBold(true);
    box.print(QStringLiteral("N = 499  最大值 12"));
    return box.saveBmp(name);
}

// The same picture saved by this program on a scaled screen and on one with a
// larger font resolution has the same bytes as on a plain one. The program runs
// itself again for the other screens; KV_TEXT_PICTURE names the file it saves then.
TEST(PictureBoxText, SavedTextIsTheSameOnEveryScreen)
{
    if (const char* out = std::getenv("KV_TEXT_PICTURE")) {
        EXPECT_TRUE(saveTextPicture(QString::fromLocal8Bit(out)));
        return;
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plain = dir.filePath(QStringLiteral("plain.bmp"));
    ASSERT_TRUE(saveTextPicture(plain));
    const struct { const char* variable; const char* value; } screens[] = {
        {"QT_SCALE_FACTOR", "2"},
        {"QT_FONT_DPI", "144"},
    };
    for (const auto& screen : screens) {
        const QString saved = dir.filePath(QString::fromLatin1(screen.variable) + QStringLiteral(".bmp"));
        QProcess again;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KV_TEXT_PICTURE"), saved);
        environment.insert(QString::fromLatin1(screen.variable), QString::fromLatin1(screen.value));
        again.setProcessEnvironment(environment);
        again.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=PictureBoxText.SavedTextIsTheSameOnEveryScreen")});
        ASSERT_TRUE(again.waitForFinished(60000)) << screen.variable;
        EXPECT_EQ(again.exitCode(), 0) << screen.variable;
        const QByteArray expected = fileBytes(plain);
        EXPECT_GT(expected.size(), 1000);
        EXPECT_TRUE(fileBytes(saved) == expected) << screen.variable;
    }
}

TEST(PictureBoxFiles, SavedBitmapReloadsToTheSameImage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PictureBox box;
    netScale(box);
    box.circle(0, 0, 100, QColor(Qt::red));
    box.box(120, 100, 200, 80, QColor(10, 200, 30), true);
    box.print(QStringLiteral("N"));

    const QString name = dir.filePath(QStringLiteral("x.png"));
    ASSERT_TRUE(box.saveBmp(QStringLiteral("  ") + name + QStringLiteral(" "))); // blanks trimmed
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(30);
    file.close();
    ASSERT_EQ(header.size(), 30);
    EXPECT_TRUE(header.startsWith("BM")); // a bitmap whatever the extension
    EXPECT_EQ(header.at(28), 24);         // bits per pixel
    QImageReader reader(name, "BMP");
    const QImage reloaded = reader.read();
    ASSERT_FALSE(reloaded.isNull()) << reader.errorString().toStdString();
    EXPECT_TRUE(samePixels(reloaded, box.image()));

    EXPECT_FALSE(box.saveBmp(dir.filePath(QStringLiteral("missing/x.bmp"))));
    EXPECT_FALSE(box.saveBmp(QStringLiteral("   ")));
    // A failed save leaves what was there: a folder of that name keeps its file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("taken")));
    QFile inside(dir.filePath(QStringLiteral("taken/inside.txt")));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("x");
    inside.close();
    EXPECT_FALSE(box.saveBmp(dir.filePath(QStringLiteral("taken"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("taken/inside.txt"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("taken"), QStringLiteral("x.png")}));
}

// A disk that fills up half-way, made by a file-size limit below the bitmap's
// size: the user's old picture must come through whole.
TEST(PictureBoxFiles, FailedSaveLeavesTheOldPictureWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("rose.bmp"));
    PictureBox box;
    roseScale(box);
    box.circle(0, 0, 100, QColor(Qt::red));
    ASSERT_TRUE(box.saveBmp(name));
    const QByteArray old = fileBytes(name);
    ASSERT_GT(old.size(), 8192);

    box.cls();
    box.line(-100, 0, 100, 0, QColor(Qt::blue));
    rlimit limits {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limits), 0);
    const rlimit normal = limits;
    limits.rlim_cur = 8192;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limits), 0);
    const bool saved = box.saveBmp(name);
    setrlimit(RLIMIT_FSIZE, &normal);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(fileBytes(name), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("rose.bmp")});
}

TEST(PictureBoxFiles, PixelComparisonRejectsADifferentImage)
{
    QImage a(20, 10, QImage::Format_RGB32);
    a.fill(Qt::white);
    QImage b = a;
    EXPECT_TRUE(samePixels(a, b));
    b.setPixel(19, 9, qRgb(255, 255, 254));
    EXPECT_FALSE(samePixels(a, b));
    EXPECT_FALSE(samePixels(a, a.copy(0, 0, 20, 9)));
}

TEST(PictureBoxMouse, EventsReportUserCoordinatesAndButtons)
{
    PictureBox box;
    roseScale(box);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    // QTest remembers held buttons across tests: let go of any left held elsewhere.
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mouseRelease(&box, b, Qt::NoModifier, QPoint(1, 1));
    QSignalSpy downs(&box, &PictureBox::mouseDown);
    QSignalSpy moves(&box, &PictureBox::mouseMove);
    QSignalSpy ups(&box, &PictureBox::mouseUp);

    QTest::mouseMove(&box, QPoint(10, 10)); // QTest drops a move to where its last move went
    QTest::mouseMove(&box, QPoint(250, 150));
    QApplication::processEvents();
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last(), (QList<QVariant>{0, 100.0, 0.0}));

    QTest::mousePress(&box, Qt::RightButton, Qt::NoModifier, QPoint(150, 50));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs.first(), (QList<QVariant>{2, 0.0, 100.0}));
    QTest::mouseRelease(&box, Qt::RightButton, Qt::NoModifier, QPoint(150, 50));
    ASSERT_EQ(ups.size(), 1);
    EXPECT_EQ(ups.first(), (QList<QVariant>{2, 0.0, 100.0}));

    QTest::mousePress(&box, Qt::MiddleButton, Qt::NoModifier, QPoint(1, 2)); // (0,0) would mean the centre
    EXPECT_EQ(downs.last(), (QList<QVariant>{4, -149.0, 148.0}));
    QTest::mouseRelease(&box, Qt::MiddleButton, Qt::NoModifier, QPoint(1, 2));

    // A move with the left and right buttons held reports both.
    QMouseEvent held(QEvent::MouseMove, QPointF(50, 250), box.mapToGlobal(QPointF(50, 250)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &held);
    EXPECT_EQ(moves.last(), (QList<QVariant>{3, -100.0, -100.0}));
}

} // namespace
} // namespace kv
