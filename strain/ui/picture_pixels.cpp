#include "strain/ui/picture_pixels.h"

namespace kv {

PixelImage pixelImageOf(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelImage pixels(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            pixels.set(x, y, static_cast<std::uint32_t>(qRed(line[x]) | (qGreen(line[x]) << 8) | (qBlue(line[x]) << 16)));
    }
    return pixels;
}

QImage qImageOf(const PixelImage& pixels)
{
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t c = pixels.at(x, y);
            line[x] = qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return image;
}

} // namespace kv
