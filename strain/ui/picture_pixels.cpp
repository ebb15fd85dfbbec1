#include "strain/ui/picture_pixels.h"

#include <QImage>

namespace kv {

PixelImage pixelImageOf(const QImage& image)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    PixelImage pixels(rgb.width(), rgb.height(), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            pixels.set(x, y, static_cast<std::uint32_t>(qRed(c)) | static_cast<std::uint32_t>(qGreen(c)) << 8
                                 | static_cast<std::uint32_t>(qBlue(c)) << 16);
        }
    }
    return pixels;
}

} // namespace kv
