#include "platform/ui/picture_file.h"

#include "platform/metafile/jpeg_cost.h"
#include "platform/metafile/metafile.h"
#include "platform/ui/picture_whole.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <optional>

namespace kv {

namespace {

// A metafile is read whole into memory; none worth showing comes near this.
constexpr qint64 maxMetafileBytes = 64 * 1024 * 1024;

// Enough of the start to tell a metafile: the EMF signature lies at byte 40.
constexpr qint64 signatureBytes = 44;

PictureFault faultOf(MetafileFault fault)
{
    switch (fault) {
    case MetafileFault::None: return PictureFault::None;
    case MetafileFault::Damaged: return PictureFault::Damaged;
    case MetafileFault::TooCostly: return PictureFault::TooCostly;
    case MetafileFault::TooLarge: return PictureFault::TooLarge;
    case MetafileFault::Unfit: return PictureFault::Unfit;
    case MetafileFault::Unreadable: return PictureFault::Unreadable;
    }
    return PictureFault::Damaged;
}

PictureRead metafilePicture(QFile& file, const std::function<bool(QSize)>& fits)
{
    if (file.size() > maxMetafileBytes)
        return {QImage(), PictureFault::TooCostly};
    MetafileRead read = renderMetafile(file.readAll(), fits);
    return {std::move(read.image), faultOf(read.fault)};
}

// A GIF's first image may give as many coded pixels as the largest picture
// has (about 0.6 s of decoding); a PNG may have 100 compressed texts (each
// inflated up to 8 MB, about 18 ms).
constexpr std::uint64_t maxGifCodedPixels = std::uint64_t(pictureMemoryLimitMiB) * 1024 * 1024 / 4;
constexpr int maxPngCompressedTexts = 100;

// What a file's structure asks of its decoder, and whether the file holds
// every byte its structure promises.
struct Structure {
    std::optional<JpegDecoding> jpeg; // a JPEG's decoding counted from its markers
    bool gifOrPngTooCostly = false;   // a GIF's codes or a PNG's texts past their limits
    bool whole = true;
};

Structure structureOf(const unsigned char* bytes, std::size_t size)
{
    Structure s;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        s.jpeg = countJpegDecoding(bytes, size);
    s.gifOrPngTooCostly = gifCodedPixels(bytes, size) > maxGifCodedPixels
                          || pngCompressedTexts(bytes, size) > maxPngCompressedTexts;
    s.whole = s.jpeg ? s.jpeg->whole : pictureFileWhole(bytes, size);
    return s;
}

// The file's structure, read through a mapping so that a large file costs no
// memory. An empty file is left to the reader, which refuses it itself.
Structure structureOf(QFile& file)
{
    if (file.size() == 0)
        return {};
    if (uchar* bytes = file.map(0, file.size())) {
        const Structure s = structureOf(bytes, std::size_t(file.size()));
        file.unmap(bytes);
        return s;
    }
    const QByteArray all = file.readAll();
    file.seek(0);
    return structureOf(reinterpret_cast<const unsigned char*>(all.constData()), std::size_t(all.size()));
}

PictureRead rasterPicture(QFile& file, const std::function<bool(QSize)>& fits)
{
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    if (!reader.canRead())
        return {QImage(), PictureFault::NotAPicture};
    // Before the reader reads the header: the segments a JPEG's decoder
    // keeps, a PNG's texts it inflates, a GIF's codes.
    const Structure structure = structureOf(file);
    const std::optional<JpegDecoding>& jpeg = structure.jpeg;
    if ((jpeg && !jpeg->keptAffordable()) || structure.gifOrPngTooCostly)
        return {QImage(), PictureFault::TooCostlyToDecode};
    // The header's size, before anything is decoded or allocated.
    const QSize claimed = reader.size();
    if (claimed.isValid()) {
        if (fits && !fits(claimed))
            return {QImage(), PictureFault::Unfit};
        const double bytes = double(claimed.width()) * claimed.height() * 4 + (jpeg ? jpeg->coefficientBytes : 0.0);
        if (double(claimed.width()) * claimed.height() * 4 > double(pictureMemoryLimitMiB) * 1024 * 1024
            || bytes > double(decodingMemoryLimitMiB) * 1024 * 1024)
            return {QImage(), PictureFault::TooLarge};
    }
    if (!structure.whole)
        return {QImage(), PictureFault::Damaged};
    if (jpeg && !jpeg->affordable())
        return {QImage(), PictureFault::TooCostlyToDecode};
    QImage image = reader.read();
    if (image.isNull())
        return {QImage(), reader.error() == QImageReader::UnsupportedFormatError ? PictureFault::NotAPicture
                                                                                : PictureFault::Damaged};
    if (!claimed.isValid() && fits && !fits(image.size()))
        return {QImage(), PictureFault::Unfit};
    return {std::move(image), PictureFault::None};
}

} // namespace

PictureRead readPictureFile(const QString& path, const std::function<bool(QSize)>& fits)
{
    // The readers' own limit is 128 MiB, less than a camera's photo needs; it
    // stays as the guard for formats whose size is known only while decoding.
    QImageReader::setAllocationLimit(pictureMemoryLimitMiB);
    // Only a regular file: reading a pipe or a device could block for ever.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable())
        return {QImage(), PictureFault::CannotOpen};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), PictureFault::CannotOpen};
    // Metafiles are told by their bytes, as the image readers tell theirs, so
    // a WMF named .bmp loads and a BMP named .wmf does too.
    if (metafileKind(file.peek(signatureBytes)) != MetafileKind::None)
        return metafilePicture(file, fits);
    return rasterPicture(file, fits);
}

QString pictureOpenFilter()
{
    return QStringLiteral("图形文件(*.bmp;*.jpg;*.gif;*.wmf)|*.bmp;*.jpg;*.jpeg;*.gif;*.wmf;*.emf");
}

QString pictureFaultMessage(PictureFault fault)
{
    switch (fault) {
    case PictureFault::None:
    case PictureFault::Unfit:
        break;
    case PictureFault::CannotOpen:
        return QStringLiteral("图像文件无法打开！");
    case PictureFault::NotAPicture:
        return QStringLiteral("无法读取该图像文件，请使用 BMP、JPEG、GIF、PNG、WMF 或 EMF 格式！");
    case PictureFault::Damaged:
        return QStringLiteral("图像文件已损坏或不完整，无法读取！");
    case PictureFault::TooLarge:
        return QStringLiteral("图像太大，内存容纳不下，无法读取！");
    case PictureFault::TooCostly:
        return QStringLiteral("该图元文件的图形太多或太复杂，绘制代价太大，无法显示！");
    case PictureFault::TooCostlyToDecode:
        return QStringLiteral("该图像文件的编码太复杂，解码代价太大，无法读取！");
    case PictureFault::Unreadable:
        return QStringLiteral("无法读取该图元文件中的图形！");
    }
    return QString();
}

} // namespace kv
