// The bitmap records both players share: a DIB counted from its header,
// decoded, and drawn or made into a brush.
#include "platform/metafile/metafile_bitmap.h"
#include "platform/metafile/metafile_player.h"

namespace kv::metafile {
namespace {

// The DIB's header, its decoding counted first; none when it cannot be read
// or the budget is spent.
std::optional<QImage> counted(Canvas& canvas, QByteArrayView info, QByteArrayView bits, bool paletteIndices,
                              bool* topDown = nullptr)
{
    const std::optional<DibHeader> header = readDibHeader(info, bits);
    if (!header)
        return std::nullopt;
    // A packed JPEG: its scans as well as its pixels, and the coefficients it
    // holds between them besides its pixels' memory.
    const std::optional<JpegDecoding>& jpeg = header->jpeg;
    const double pixels = double(header->pixels());
    const double held = pixels * 4 + (jpeg ? jpeg->coefficientBytes : 0.0);
    const bool refused = pixels > maxBitmapPixels || held > maxBitmapPixels * 8 || (jpeg && !jpeg->keptAffordable());
    if (!canvas.spend(refused ? maxDrawingWork * 2
                              : decodedPixelWork * pixels + (jpeg ? jpegDecodingStepWork * jpeg->steps : 0.0)))
        return std::nullopt;
    if (topDown)
        *topDown = header->topDown;
    QImage image = decodeDib(*header, info, bits, paletteIndices);
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace

void drawDib(Canvas& canvas, QByteArrayView info, QByteArrayView bits, bool paletteIndices, const QRectF& dest,
             QRectF source, bool sourceFromBottom, quint32 rop)
{
    if (info.isEmpty()) {
        canvas.fillRect(dest, canvas.dc.brush, rop);
        return;
    }
    bool topDown = false;
    const std::optional<QImage> image = counted(canvas, info, bits, paletteIndices, &topDown);
    if (!image)
        return;
    // A bottom-up DIB counts its source rows from the bottom.
    if (sourceFromBottom && !topDown)
        source.moveTop(image->height() - source.bottom());
    canvas.image(dest, *image, source.intersected(QRectF(image->rect())), rop);
}

std::optional<BrushSpec> dibBrush(Canvas& canvas, QByteArrayView info, QByteArrayView bits, bool paletteIndices)
{
    std::optional<QImage> image = counted(canvas, info, bits, paletteIndices);
    if (!image)
        return std::nullopt;
    // A pattern is a small tile; a huge one is drawn as its first pixel's colour.
    constexpr int largestTile = 256;
    const QColor first = image->pixelColor(0, 0);
    if (image->width() > largestTile || image->height() > largestTile)
        return BrushSpec{0, first, 0, {}};
    return BrushSpec{5, first, 0, *image};
}

} // namespace kv::metafile
