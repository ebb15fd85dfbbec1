#include "platform/ui/picture_file.h"

#include "platform/ui/metafile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace kv {

namespace {

// A metafile is read whole into memory; none worth showing comes near this.
constexpr qint64 maxMetafileBytes = 64 * 1024 * 1024;

// Enough of the start to tell a metafile: the EMF signature lies at byte 40.
constexpr qint64 signatureBytes = 44;

} // namespace

PictureRead readPictureFile(const QString& path)
{
    PictureRead out;
    // Only a regular file: reading a pipe or a device could block for ever.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        out.fault = PictureFault::CannotOpen;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.fault = PictureFault::CannotOpen;
        return out;
    }
    // Metafiles are told by their bytes, as the image readers tell theirs, so
    // a WMF named .bmp loads and a BMP named .wmf does too.
    if (metafileKind(file.peek(signatureBytes)) != MetafileKind::None) {
        if (file.size() > maxMetafileBytes) {
            out.fault = PictureFault::NotAPicture;
            return out;
        }
        out.image = renderMetafile(file.readAll());
        if (out.image.isNull())
            out.fault = PictureFault::NotAPicture;
        return out;
    }
    file.close();
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
