#include "platform/ui/picture_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace kv {

PictureRead readPictureFile(const QString& path)
{
    PictureRead out;
    // Only a regular file: reading a pipe or a device could block for ever.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        out.fault = PictureFault::CannotOpen;
        return out;
    }
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // The readers' own memory limit refuses a header that claims absurd sizes.
    out.image = reader.read();
    if (out.image.isNull())
        out.fault = reader.error() == QImageReader::FileNotFoundError ? PictureFault::CannotOpen : PictureFault::NotAPicture;
    return out;
}

QString pictureOpenFilter()
{
    return QStringLiteral("图形文件(*.bmp;*.jpg;*.gif;*.wmf)|*.bmp;*.jpg;*.jpeg;*.gif;*.wmf;*.emf");
}

QString pictureFaultMessage(PictureFault fault)
{
    switch (fault) {
    case PictureFault::None:
        break;
    case PictureFault::CannotOpen:
        return QStringLiteral("图像文件无法打开！");
    case PictureFault::NotAPicture:
        return QStringLiteral("无法读取该图像文件，请使用 BMP、JPEG 或 GIF 格式！");
    }
    return QString();
}

} // namespace kv
