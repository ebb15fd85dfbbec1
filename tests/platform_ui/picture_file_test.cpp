// Picture files: good ones load at their size; empty, cut-short, foreign,
// absurdly large and non-regular files are refused with a reason.
#include "platform/ui/picture_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace kv {
namespace {

QByteArray encoded(const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A BMP header that claims 100000 x 100000 pixels and holds none of them.
QByteArray hugeBmpHeader()
{
    QByteArray bmp = encoded("BMP").left(54);
    qToLittleEndian<qint32>(100000, bmp.data() + 18);
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    return bmp;
}

TEST(PictureFile, ReadsPicturesAndRefusesEverythingElseWithAReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* name;
        QByteArray bytes;
        PictureFault fault;
    } cases[] = {
        {"grains.bmp", encoded("BMP"), PictureFault::None},
        {"grains.jpg", encoded("JPEG"), PictureFault::None},
        {"grains.png", encoded("PNG"), PictureFault::None},
        {"empty.bmp", QByteArray(), PictureFault::NotAPicture},
        {"cut.bmp", encoded("BMP").left(30), PictureFault::NotAPicture},
        {"notes.bmp", QByteArray("135, 45\r\n"), PictureFault::NotAPicture},
        {"huge.bmp", hugeBmpHeader(), PictureFault::NotAPicture},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        const PictureRead read = readPictureFile(path);
        EXPECT_EQ(read.fault, c.fault) << c.name;
        EXPECT_EQ(read.image.isNull(), c.fault != PictureFault::None) << c.name;
        if (c.fault == PictureFault::None)
            EXPECT_EQ(read.image.size(), QSize(40, 30)) << c.name;
        else
            EXPECT_FALSE(pictureFaultMessage(c.fault).isEmpty());
    }
    EXPECT_EQ(readPictureFile(dir.filePath(QStringLiteral("missing.bmp"))).fault, PictureFault::CannotOpen);
    EXPECT_EQ(readPictureFile(dir.path()).fault, PictureFault::CannotOpen) << "a folder";
}

} // namespace
} // namespace kv
