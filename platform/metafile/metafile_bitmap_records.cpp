// The bitmap records both players share: a DIB counted from its header,
// decoded, and drawn or made into a pattern brush.
#include "platform/metafile/metafile_bitmap.h"
#include "platform/metafile/metafile_player.h"

#include <uemf.h>

namespace kv::metafile {
namespace {

// The DIB's pixels, its decoding counted first (a DIB past the largest
// bitmap refuses the metafile); none when its header cannot be read or the
// budget is spent.
std::optional<QImage> decodeWithinBudget(Canvas& canvas, const RecordDib& dib, bool* topDown = nullptr)
{
    const std::optional<DibHeader> header = readDibHeader(dib.info, dib.bits, dib.usage);
    if (!header)
        return std::nullopt;
    // A packed JPEG: its scans as well as its pixels, and the coefficients it
    // holds between them besides its pixels' memory.
    const std::optional<JpegDecoding>& jpeg = header->jpeg;
    const double pixels = double(header->pixels());
    const double held = pixels * 4 + (jpeg ? jpeg->coefficientBytes : 0.0);
    if (pixels > maxBitmapPixels || held > maxBitmapPixels * 8 || (jpeg && !jpeg->keptAffordable())) {
        canvas.refuse();
        return std::nullopt;
    }
    if (!canvas.spend(decodedPixelWork * pixels + (jpeg ? jpegDecodingStepWork * jpeg->steps : 0.0)))
        return std::nullopt;
    if (topDown)
        *topDown = header->topDown;
    QImage image = decodeDib(*header, dib.info, dib.bits, dib.usage == U_DIB_PAL_COLORS ? &canvas.paletteColours() : nullptr);
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace

void drawDib(Canvas& canvas, const RecordDib& dib, const QRectF& dest, QRectF source, SourceRows rows, quint32 rop)
{
    if (dib.info.isEmpty()) {
        canvas.fillRect(dest, canvas.dc.brush, rop);
        return;
    }
    bool topDown = false;
    const std::optional<QImage> image = decodeWithinBudget(canvas, dib, &topDown);
    if (!image)
        return;
    if (rows == SourceRows::FromBottom && !topDown)
        source.moveTop(image->height() - source.bottom());
    canvas.image(dest, *image, source.intersected(QRectF(image->rect())), rop);
}

BrushSpec patternBrush(Canvas& canvas, const RecordDib& dib)
{
    const std::optional<QImage> image = decodeWithinBudget(canvas, dib);
    if (!image)
        return BrushSpec{U_BS_SOLID, Qt::black, 0, {}};
    // A pattern is a small tile; a huge one is drawn as its first pixel's colour.
    constexpr int largestTile = 256;
    const QColor first = image->pixelColor(0, 0);
    if (image->width() > largestTile || image->height() > largestTile)
        return BrushSpec{U_BS_SOLID, first, 0, {}};
    return BrushSpec{U_BS_DIBPATTERN, first, 0, *image};
}

} // namespace kv::metafile
