// Picture files, through the system's image readers: the input is saved as a
// file whose name ends in one of the extensions the open dialog offers (or
// none), chosen by its last byte, and read as the picture tools read it. A
// file that is there is never "cannot open"; a picture that is read is not
// empty, no larger than the readers' memory limit lets through, and has
// pixels that can be read; anything else is not a picture.
#include "fuzz/fuzz_check.h"
#include "platform/ui/picture_file.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using kv::fuzz::check;

namespace {

const char* const kExtensions[] = {".bmp", ".jpg", ".jpeg", ".gif", ".wmf", ".emf", ".png", ""};

QString pictureName(std::size_t extension)
{
    const QString base = QDir::temp().filePath(QStringLiteral("kv_fuzz_picture_%1").arg(QCoreApplication::applicationPid()));
    return base + QString::fromLatin1(kExtensions[extension % std::size(kExtensions)]);
}

void removePictures()
{
    for (std::size_t i = 0; i < std::size(kExtensions); ++i)
        QFile::remove(pictureName(i));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Metafiles are drawn through Qt's painter, which needs a GUI application;
    // the offscreen platform needs no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    std::atexit(removePictures);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name = pictureName(size > 0 ? data[size - 1] : 0);
    {
        QFile file(name);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input can be saved as a file");
        check(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size),
              "the input is saved whole");
    }
    const kv::PictureRead read = kv::readPictureFile(name);
    QFile::remove(name);
    check(read.fault != kv::PictureFault::CannotOpen, "a file that is there can be opened");
    check(read.image.isNull() == (read.fault != kv::PictureFault::None), "a picture exactly when there is no fault");
    if (read.image.isNull())
        return 0;

    const QImage& image = read.image;
    check(image.width() > 0 && image.height() > 0, "a picture has pixels");
    const qint64 limit = static_cast<qint64>(QImageReader::allocationLimit()) * 1024 * 1024;
    check(image.sizeInBytes() <= limit, "a picture stays within the readers' memory limit");
    // Every row is there: the corners can be read.
    (void)image.pixel(0, 0);
    (void)image.pixel(image.width() - 1, image.height() - 1);
    return 0;
}
