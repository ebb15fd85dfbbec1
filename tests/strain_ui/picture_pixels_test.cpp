#include "strain/ui/picture_pixels.h"

#include "tests/support/pixel_pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace kv {
namespace {

// Red in the low byte whatever format the picture was loaded in, and back.
TEST(PicturePixels, EveryFormatGivesRedInTheLowByteAndComesBack)
{
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(1, 2, 3)};
    const std::uint32_t expected[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x030201};
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
                                  QImage::Format_RGBX8888, QImage::Format_Indexed8}) {
        QImage source(5, 3, QImage::Format_RGB32); // odd width: no line is a whole number of vectors
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                source.setPixel(x, y, colours[(x + y) % 4]);
        const QImage loaded = source.convertToFormat(format);
        const PixelImage pixels = pixelImageOf(loaded);
        ASSERT_EQ(pixels.width, 5);
        ASSERT_EQ(pixels.height, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(pixels.at(x, y), expected[(x + y) % 4]) << format << " at " << x << "," << y;
        const QImage back = test::qImageOf(pixels);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(back.pixel(x, y), colours[(x + y) % 4]) << format << " at " << x << "," << y;
    }
}

// Straight from the scan lines of any format: grey 0.31 R + 0.59 G + 0.11 B
// against the threshold, the map and its black-and-white picture together.
// Pure red weighs 79 and pure blue 28, so 50 tells the channels apart.
TEST(PicturePixels, BinarisedImageReadsTheChannelsOfEveryFormat)
{
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(1, 2, 3)};
    const std::int16_t at50[] = {PixelMap::background, PixelMap::background, PixelMap::line, PixelMap::line};
    const std::int16_t at80[] = {PixelMap::line, PixelMap::background, PixelMap::line, PixelMap::line};
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
                                  QImage::Format_Indexed8}) {
        QImage source(5, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                source.setPixel(x, y, colours[(x + y) % 4]);
        for (int threshold : {50, 80}) {
            const BinarisedImage b = binariseImage(source.convertToFormat(format), threshold);
            ASSERT_EQ(b.map.width, 5);
            ASSERT_EQ(b.map.height, 3);
            ASSERT_EQ(b.shown.size(), QSize(5, 3));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    const std::int16_t* wanted = threshold == 50 ? at50 : at80;
                    const std::int16_t want = wanted[(x + y) % 4];
                    EXPECT_EQ(b.map.at(x, y), want) << format << " " << threshold << " at " << x << "," << y;
                    EXPECT_EQ(b.shown.pixel(x, y), want == PixelMap::line ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
                }
            // What the window shows reads back as the same map.
            EXPECT_EQ(binariseImage(b.shown, 128).map.cells, b.map.cells);
        }
    }
}

} // namespace
} // namespace kv
