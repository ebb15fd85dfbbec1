// Picture files: good ones load at their size, metafiles with their ink where
// it was drawn; empty, cut-short, foreign, absurdly large, too costly to draw
// and non-regular files are refused with a reason.
#include "platform/ui/picture_file.h"

#include "tests/support/claimed_pictures.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/metafile_records.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <functional>
#include <utility>

namespace kv {
namespace {

QByteArray encoded(const char* format, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture with a different colour in every pixel, so that its compressed
// data is spread over the whole file.
QByteArray encodedNoise(const char* format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A GIF of 4 x 4 pixels, two rows red, then two of blue and red by turns:
// header, a two-colour table, the image and the trailer. Its LZW codes take
// strings of the table, codes being added and a wider code. Its screen and
// the frame its descriptor claims may be changed.
QByteArray gif(QSize screen = QSize(4, 4), QRect frame = QRect(0, 0, 4, 4))
{
    QByteArray bytes("GIF89a\x04\x00\x04\x00\x80\x00\x00"       // screen, global table of 2 colours
                     "\xFF\x00\x00\x00\x00\xFF"                 // red, blue
                     "\x2C\x00\x00\x00\x00\x04\x00\x04\x00\x00" // image descriptor
                     "\x02\x05\x84\x6F\x01\xCA\x50\x00"         // code size 2, one block of 5 bytes
                     "\x3B",
                     38);
    const std::pair<int, int> fields[] = {{6, screen.width()}, {8, screen.height()}, {20, frame.x()},
                                          {22, frame.y()},     {24, frame.width()},  {26, frame.height()}};
    for (const auto& [at, value] : fields)
        qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
    return bytes;
}

// A BMP of 8 bits a pixel, red and blue, run-length coded.
QByteArray runLengthBmp(int width, int height, const QByteArray& codes)
{
    const qint64 dataAt = 14 + 40 + 2 * 4;
    QByteArray bmp = QByteArray("BM") + QByteArray(4, '\0');
    char b[4];
    qToLittleEndian<quint32>(quint32(dataAt + codes.size()), bmp.data() + 2);
    bmp += QByteArray(4, '\0');
    qToLittleEndian<quint32>(quint32(dataAt), b);
    bmp.append(b, 4);
    const qint32 info[] = {40, width, height, 1 | (8 << 16), 1, qint32(codes.size()), 2835, 2835, 2, 0};
    for (qint32 v : info) {
        qToLittleEndian<qint32>(v, b);
        bmp.append(b, 4);
    }
    bmp += QByteArray("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8); // red, blue
    return bmp + codes;
}

// 4 x 2: two runs of 4, each row ended, then the end of the bitmap.
QByteArray runLengthBmp() { return runLengthBmp(4, 2, QByteArray("\x04\x01\x00\x00\x04\x00\x00\x01", 8)); }

// 5 x 2 whose first row starts with three pixels as they are, padded to a
// word, then a run of two (read unpadded, the codes go astray and run past
// the end) or two runs of one (read unpadded, the pad and the first run read
// as the end of the bitmap).
QByteArray oddLiteralBmp(bool runsOfOne)
{
    const QByteArray literal("\x00\x03\x01\x00\x01\x00", 6);
    const QByteArray rest = runsOfOne ? QByteArray("\x01\x01\x01\x00", 4) : QByteArray("\x02\x01", 2);
    return runLengthBmp(5, 2, literal + rest + QByteArray("\x00\x00\x05\x00\x00\x01", 6));
}

// A BMP header that claims 100000 x 100000 pixels and holds none of them.
QByteArray hugeBmpHeader()
{
    QByteArray bmp = encoded("BMP").left(54);
    qToLittleEndian<qint32>(100000, bmp.data() + 18);
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    return bmp;
}

using namespace kv::test;

constexpr quint32 blue = colorRef(0, 0, 255);

// The window (1440 x 960 units from (100, 100)) and over its middle half a
// blue rectangle with no outline.
QByteArray wmfDrawing()
{
    return wmf::setWindowOrg(100, 100) + wmf::setWindowExt(1440, 960) + wmf::createBrushIndirect(gdi::bsSolid, blue)
           + wmf::selectObject(0) + wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(1)
           + wmf::rectangle(460, 340, 1180, 820) + wmf::eof();
}

// A label in a Chinese font, with characters XML reserves: "A&B<褶皱>".
QByteArray wmfLabel()
{
    const QByteArray text = QByteArray("A&B<") + QByteArray("\xF1\xDE\xD6\xE5") + ">"; // 褶皱 in CP936
    const QByteArray face("\xCB\xCE\xCC\xE5", 4);                                      // 宋体
    return wmf::createFontIndirect(-200, 400, gdi::gb2312Charset, face) + wmf::selectObject(2)
           + wmf::textOut(200, 480, text);
}

QByteArray wmfWith(const QByteArray& records)
{
    return wmf::standardHeader((18 + records.size()) / 2, 3, 32) + records;
}

QByteArray plainWmf(const QByteArray& extra = QByteArray())
{
    QByteArray records = wmfDrawing();
    records.insert(records.size() - 6, extra);
    return wmfWith(records);
}

QByteArray placeableWmf(int left, int top, int right, int bottom, int unitsPerInch, const QByteArray& extra = QByteArray())
{
    return wmf::placeableHeader(left, top, right, bottom, unitsPerInch) + plainWmf(extra);
}

// A side x side pixel picture (96 units an inch) with a blue brush and the
// given rectangles, each as left, top, right, bottom.
QByteArray rectanglesWmf(int side, int count, const std::function<QRect(int)>& rectangle)
{
    QByteArray records = wmf::createBrushIndirect(gdi::bsSolid, blue) + wmf::selectObject(0);
    for (int i = 0; i < count; ++i) {
        const QRect r = rectangle(i);
        records += wmf::rectangle(r.left(), r.top(), r.right(), r.bottom());
    }
    return wmf::placeableHeader(0, 0, side, side, 96) + wmfWith(records + wmf::eof());
}

// A reference device of 1920 x 1080 pixels on 320 x 180 mm (6 pixels a
// millimetre); a frame of 38.1 x 25.4 mm (144 x 96 pixels at 96 dpi, 228.6 x
// 152.4 device pixels) and a blue rectangle over its middle half, whose
// device pixels are the bounds.
QByteArray emf(qint64 frameRight = 3810, qint64 frameBottom = 2540, const QByteArray& extra = QByteArray())
{
    const QByteArray records = emf::createBrushIndirect(1, gdi::bsSolid, blue) + emf::selectObject(1)
                               + emf::selectObject(gdi::nullPen) + emf::rectangle(57, 38, 171, 114) + extra;
    const qint64 total = 88 + records.size() + emf::eof().size();
    return emf::header(QRect(QPoint(57, 38), QPoint(170, 113)), QRect(QPoint(0, 0), QPoint(frameRight, frameBottom)),
                       QSize(1920, 1080), QSize(320, 180), total, 6, 2)
           + records + emf::eof();
}

// Arial, and three of its glyphs given by their index (ETO_GLYPH_INDEX)
// below the rectangle.
QByteArray emfGlyphText()
{
    return emf::extCreateFontIndirectW(2, -20, 400, gdi::ansiCharset, QStringLiteral("Arial")) + emf::selectObject(2)
           + emf::extTextOutW(20, 130, QStringLiteral("$%&"), {10, 10, 10}, gdi::etoGlyphIndex); // glyphs 36, 37, 38
}

// A grey progressive JPEG of 800 x 800 pixels (10,000 blocks) and its DC
// scan (1,250 bytes of data), counted 2000 + 10,000 x (25 + 1) + 1,250 x 8
// steps for the scan and 640,000 x 15 for the pixels, 9,872,000 in all; then
// empty scans over its AC band, each 2000 + 10,000 x (25 + 63) = 882,000:
// 3957 of them bring it to 3,499,946,000, just inside the 3.5e9 a JPEG may
// take, 3958 to 3,500,828,000.
QByteArray greyScans(int scans)
{
    test::JpegRecipe r;
    r.width = r.height = 800;
    r.components = 1;
    r.emptyScans = scans;
    return test::hostileJpeg(r);
}

// A small JPEG with that many empty comments: the decoder keeps 1000.
QByteArray comments(int count)
{
    test::JpegRecipe r;
    r.comments = count;
    return test::hostileJpeg(r);
}

QByteArray cmykJpeg()
{
    test::JpegRecipe r;
    r.width = r.height = 11500;
    r.components = 4;
    return test::hostileJpeg(r);
}

QByteArray noise(int count)
{
    QByteArray bytes;
    quint32 state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes.append(char(state >> 24));
    }
    return bytes;
}

// Blue everywhere inside the ink (but its edges), white everywhere outside.
void expectInk(const QImage& image, const QRect& ink, const char* name)
{
    const QRect inside = ink.intersected(image.rect()).adjusted(2, 2, -2, -2);
    const QRect rim = ink.adjusted(-2, -2, 2, 2);
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xffffff;
            if (inside.contains(x, y) ? p != 0x0000ff : (!rim.contains(x, y) && p != 0xffffff))
                ++wrong;
        }
    EXPECT_EQ(wrong, 0) << name;
}

PictureRead readBytes(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << name;
    f.close();
    return readPictureFile(path);
}

TEST(PictureFile, ReadsPicturesAndRefusesEverythingElseWithAReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QSize raster(40, 30);
    const QByteArray oddWidth = encodedNoise("BMP", 101, 1000);
    const struct {
        const char* name;
        QByteArray bytes;
        PictureFault fault;
        QSize size;  // none: not checked
        QRect ink;   // where the blue rectangle lies, in pixels; none: not checked
        const char* message = nullptr; // when given, the whole message the user is told
    } cases[] = {
        {"grains.bmp", encoded("BMP"), PictureFault::None, raster, {}},
        {"grains.jpg", encoded("JPEG"), PictureFault::None, raster, {}},
        {"grains.png", encoded("PNG"), PictureFault::None, raster, {}},
        {"grains.gif", gif(), PictureFault::None, {4, 4}, {}},
        {"coded.bmp", runLengthBmp(), PictureFault::None, {4, 2}, {}},
        {"odd-literal.bmp", oddLiteralBmp(false), PictureFault::None, {5, 2}, {}},
        // A frame inside a larger screen; the rest of the screen takes the background colour.
        {"framed.gif", gif(QSize(6, 5), QRect(1, 1, 4, 4)), PictureFault::None, {6, 5}, {}},
        // A camera's photo: more than the readers' own 128 MiB.
        {"camera.jpg", encoded("JPEG", QSize(6000, 6000)), PictureFault::None, {6000, 6000}, {}},
        {"empty.bmp", QByteArray(), PictureFault::NotAPicture, {}, {}},
        {"notes.bmp", QByteArray("135, 45\r\n"), PictureFault::NotAPicture, {}, {}},
        {"huge.jpg", test::jpegClaiming(65000, 65000), PictureFault::TooLarge, {}, {}},
        {"huge.bmp", hugeBmpHeader(), PictureFault::Damaged, {}, {}},
        // Cut short: the rows or the coded data their header promises are not all there.
        {"header.bmp", encoded("BMP").left(30), PictureFault::Damaged, {}, {}},
        {"third.bmp", test::cutShort(encodedNoise("BMP", 100, 300), 1.0 / 3), PictureFault::Damaged, {}, {}},
        {"most.bmp", test::cutShort(encodedNoise("BMP", 100, 300), 0.9), PictureFault::Damaged, {}, {}},
        {"last-byte.bmp", encodedNoise("BMP", 100, 300).chopped(1), PictureFault::Damaged, {}, {}},
        // 101 pixels of 3 bytes: each row padded by one byte to 304.
        {"odd-last-byte.bmp", oddWidth.chopped(1), PictureFault::Damaged, {}, {}},
        {"odd-last-row.bmp", oddWidth.chopped(304), PictureFault::Damaged, {}, {}},
        {"odd-three-rows.bmp", oddWidth.chopped(3 * 304), PictureFault::Damaged, {}, {}},
        {"coded.bmp", runLengthBmp().chopped(2), PictureFault::Damaged, {}, {}},
        {"odd-literal-cut.bmp", oddLiteralBmp(true).chopped(2), PictureFault::Damaged, {}, {}},
        {"cut.jpg", test::cutShort(encodedNoise("JPEG", 300, 300), 0.6), PictureFault::Damaged, {}, {}},
        {"end.jpg", encodedNoise("JPEG", 300, 300).chopped(2), PictureFault::Damaged, {}, {}},
        {"cut.png", test::cutShort(encodedNoise("PNG", 300, 300), 0.6), PictureFault::Damaged, {}, {}},
        {"end.png", encodedNoise("PNG", 300, 300).chopped(12), PictureFault::Damaged, {}, {}},
        {"cut.gif", gif().left(30), PictureFault::Damaged, {}, {}},
        // The image reader shows these with the pixels it found and the rest black.
        {"cut-data.gif", gif().left(33), PictureFault::Damaged, {}, {}},
        {"unended.gif", gif().chopped(2), PictureFault::Damaged, {}, {}},
        {"huge-frame.gif", gif(QSize(4, 4), QRect(0, 0, 65535, 65535)), PictureFault::Damaged, {}, {}},
        // JPEG decoding counted from the markers: the scans, the segments the decoder keeps, the coefficients
        // a progressive file holds besides its pixels (four components of 11500 x 11500: 1438 x 1438 blocks
        // of 128 bytes each, 1.06 GB, and 0.53 GB of pixels: over the 1 GiB allowed).
        {"scans-inside.jpg", greyScans(3957), PictureFault::None, {800, 800}, {}},
        {"scans-past.jpg", greyScans(3958), PictureFault::TooCostlyToDecode, {}, {}},
        {"comments-inside.jpg", comments(1000), PictureFault::None, {8, 8}, {}},
        {"comments-past.jpg", comments(1001), PictureFault::TooCostlyToDecode, {}, {}},
        {"cmyk.jpg", cmykJpeg(), PictureFault::TooLarge, {}, {}},
        // A GIF's codes may give as many pixels as the largest picture has, 134,217,728 (512 MiB of 4 bytes):
        // a frame of 11585 x 11585 gives 134,212,225 and fewer than 4091 more, one of 11586 x 11585 134,223,810.
        {"codes-inside.gif", test::longCodesGif(100, 11585, 11585), PictureFault::None, {100, 100}, {}},
        {"codes-past.gif", test::longCodesGif(100, 11586, 11585), PictureFault::TooCostlyToDecode, {}, {}},
        // A PNG may have 100 compressed texts.
        {"texts-inside.png", test::compressedTextsPng(100, 1000), PictureFault::None, {8, 8}, {}},
        {"texts-past.png", test::compressedTextsPng(101, 1000), PictureFault::TooCostlyToDecode, {}, {}},
        // 1440 x 960 units at 1440 an inch: 96 x 64 pixels, the middle half inked.
        {"fold.wmf", placeableWmf(100, 100, 1540, 1060, 1440), PictureFault::None, {96, 64}, {24, 16, 48, 32}},
        {"label.wmf", placeableWmf(100, 100, 1540, 1060, 1440, wmfLabel()), PictureFault::None, {96, 64}, {}},
        // Told by its bytes, not its name; no physical size: its window, a unit a pixel.
        {"plain.bmp", plainWmf(), PictureFault::None, {1440, 960}, {360, 240, 720, 480}},
        {"fold.emf", emf(), PictureFault::None, {144, 96}, {36, 24, 72, 48}},
        // Glyph indices: the maker's font is not here, so the text is left out.
        {"glyphs.emf", emf(3810, 2540, emfGlyphText()), PictureFault::None, {144, 96}, {36, 24, 72, 48}},
        {"cut.wmf", placeableWmf(100, 100, 1540, 1060, 1440).left(80), PictureFault::Damaged, {}, {}},
        {"cut.emf", emf().left(150), PictureFault::Damaged, {}, {}},
        {"noise.wmf", placeableWmf(100, 100, 1540, 1060, 1440).left(40) + noise(200), PictureFault::Damaged, {}, {}},
        {"noise.emf", emf().left(88) + noise(200), PictureFault::Damaged, {}, {}},
        {"flat.wmf", placeableWmf(100, 100, 1540, 100, 1440), PictureFault::Damaged, {}, {}},
        {"no-inch.wmf", placeableWmf(100, 100, 1540, 1060, 0), PictureFault::Damaged, {}, {}},
        // 20 x 1 metres, 75590.6 x 3779.5 pixels at 96 dpi: scaled down to 10000 pixels across.
        {"huge.emf", emf(2000000, 100000), PictureFault::None, {10000, 500}, {}},
        // Its drawing all EMF+, which is not read.
        {"plus.emf", emf::header(QRect(0, 0, 100, 100), QRect(0, 0, 2646, 2646), QSize(960, 960), QSize(254, 254), 148, 3, 1)
                         + emf::comment(Fields().u32s({0x2B464D45, 0x4001, 28, 16, 0xDBC01002, 0, 96, 96}).bytes)
                         + emf::eof(),
         PictureFault::Unreadable, {}, {}, "无法读取该图元文件中的图形！"},
        // A map: 3000 small fields side by side.
        {"map.wmf", rectanglesWmf(1500, 3000, [](int i) { return QRect(i % 60 * 25, i / 60 * 25, 25, 25); }),
         PictureFault::None, {1500, 1500}, {}},
        // Small on disk, costly to draw: 20,000 rectangles, each over the whole 5000 x 5000 picture.
        {"costly.wmf", rectanglesWmf(5000, 20000, [](int) { return QRect(0, 0, 5000, 5000); }),
         PictureFault::TooCostly, {}, {}},
        // Records that draw nothing cost next to nothing, however many.
        {"records.emf", emf(3810, 2540, emf::selectObject(1).repeated(200001)), PictureFault::None, {144, 96},
         {36, 24, 72, 48}},
    };
    for (const auto& c : cases) {
        const PictureRead read = readBytes(dir, c.name, c.bytes);
        EXPECT_EQ(read.fault, c.fault) << c.name;
        EXPECT_EQ(read.image.isNull(), c.fault != PictureFault::None) << c.name;
        if (c.fault != PictureFault::None) {
            EXPECT_FALSE(pictureFaultMessage(c.fault).isEmpty()) << c.name;
            if (c.message) {
                EXPECT_EQ(pictureFaultMessage(read.fault), QString::fromUtf8(c.message)) << c.name;
            }
            continue;
        }
        if (c.size.isValid()) {
            EXPECT_EQ(read.image.size(), c.size) << c.name;
        }
        if (!c.ink.isNull())
            expectInk(read.image, c.ink, c.name);
    }
    EXPECT_EQ(pictureFaultMessage(PictureFault::TooCostlyToDecode),
              QStringLiteral("该图像文件的编码太复杂，解码代价太大，无法读取！"));
    EXPECT_EQ(readPictureFile(dir.filePath(QStringLiteral("missing.bmp"))).fault, PictureFault::CannotOpen);
    EXPECT_EQ(readPictureFile(dir.path()).fault, PictureFault::CannotOpen) << "a folder";
}

} // namespace
} // namespace kv
