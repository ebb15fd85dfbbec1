#include "platform/metafile/metafile_bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <vector>

#include <uemf.h>

namespace kv::metafile {
namespace {

constexpr qint64 largestSide = 1 << 20;

quint32 u32(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint32>(b.data() + at); }
quint16 u16(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint16>(b.data() + at); }

// The packed picture's size from its own header, nothing decoded.
QSize packedSize(QByteArrayView bits)
{
    QByteArray bytes = QByteArray::fromRawData(bits.data(), bits.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.size();
}

QImage decodePacked(QByteArrayView bits, const DibHeader& header)
{
    QByteArray bytes = QByteArray::fromRawData(bits.data(), bits.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (reader.size() != QSize(int(header.width), int(header.height)))
        return QImage();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The shift and width of a colour mask, to scale its value to 0..255.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    int top = 0;
    explicit Channel(quint32 m) : mask(m)
    {
        if (!m)
            return;
        while (!((m >> shift) & 1))
            ++shift;
        top = int((m >> shift) & 0xFFFF);
    }
    int value(quint32 pixel) const
    {
        return top ? int(((pixel & mask) >> shift) * 255 / quint32(top)) : 0;
    }
};

// Run-length coded rows (8 or 4 bits an index) into one index a byte, bottom row first.
std::optional<std::vector<quint8>> runLength(QByteArrayView b, const DibHeader& h)
{
    const qint64 w = h.width, rows = h.height;
    std::vector<quint8> out(std::size_t(w * rows), 0);
    qint64 x = 0, y = 0;
    const bool four = h.compression == U_BI_RLE4;
    const auto put = [&](int index) {
        if (x < w && y < rows)
            out[std::size_t(y * w + x)] = quint8(index);
        ++x;
    };
    for (qsizetype at = 0; at + 1 < b.size();) {
        const int count = quint8(b[at]), value = quint8(b[at + 1]);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) { // end of row
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            return out;
        } else if (value == 2) { // move
            if (at + 1 >= b.size())
                return std::nullopt;
            x += quint8(b[at]);
            y += quint8(b[at + 1]);
            at += 2;
        } else { // a run of literal indices, padded to a whole word
            const qsizetype bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > b.size())
                return std::nullopt;
            for (int i = 0; i < value; ++i) {
                const int byte = quint8(b[at + (four ? i / 2 : i)]);
                put(four ? (i % 2 ? byte & 0x0F : byte >> 4) : byte);
            }
            at += (bytes + 1) / 2 * 2;
        }
        if (y > rows)
            return out;
    }
    return out;
}

} // namespace

std::optional<DibHeader> readDibHeader(QByteArrayView info, QByteArrayView bits, quint32 usage)
{
    if (info.size() < 12)
        return std::nullopt;
    DibHeader h;
    h.headerBytes = u32(info, 0);
    if (h.headerBytes == 12) { // the old core header
        h.width = u16(info, 4);
        h.height = u16(info, 6);
        h.bits = u16(info, 10);
        h.colourBytes = 3;
        if (h.bits <= 8)
            h.colours = 1 << h.bits; // a whole table, always
    } else if (h.headerBytes >= 40 && h.headerBytes <= 124) {
        if (info.size() < qsizetype(h.headerBytes))
            return std::nullopt;
        h.width = qFromLittleEndian<qint32>(info.data() + 4);
        const qint32 height = qFromLittleEndian<qint32>(info.data() + 8);
        h.topDown = height < 0;
        h.height = height < 0 ? -qint64(height) : qint64(height);
        h.bits = u16(info, 14);
        h.compression = u32(info, 16);
        const quint32 used = u32(info, 32);
        if (h.bits <= 8)
            h.colours = int(used == 0 || used > (1u << h.bits) ? 1u << h.bits : used);
        // The masks lie inside a header of 52 bytes or more, and follow a shorter one.
        if (h.compression == U_BI_BITFIELDS && h.headerBytes < 52)
            h.maskBytes = 12;
    } else {
        return std::nullopt;
    }
    if (h.compression == U_BI_JPEG) {
        h.jpeg = countJpegDecoding(reinterpret_cast<const unsigned char*>(bits.data()), std::size_t(bits.size()));
        h.width = h.jpeg->width;
        h.height = h.jpeg->height;
        h.topDown = true;
    } else if (h.compression == U_BI_PNG) {
        const QSize size = packedSize(bits);
        h.width = size.width();
        h.height = size.height();
        h.topDown = true;
    }
    const bool knownBits = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    if (h.width < 1 || h.height < 1 || h.width > largestSide || h.height > largestSide || h.compression > U_BI_PNG ||
        (!knownBits && h.compression < U_BI_JPEG))
        return std::nullopt;
    if (usage == U_DIB_PAL_COLORS)
        h.colourBytes = 2;
    return h;
}

QImage decodeDib(const DibHeader& h, QByteArrayView info, QByteArrayView bits, const std::vector<QRgb>* palette)
{
    if (h.compression == U_BI_PNG || h.compression == U_BI_JPEG)
        return decodePacked(bits, h);
    // The colour table and masks must lie in the header's bytes.
    const qint64 tableAt = qint64(h.headerBytes) + h.maskBytes;
    if (info.size() < tableAt + qint64(h.colours) * h.colourBytes)
        return QImage();
    std::vector<QRgb> table(std::size_t(h.colours));
    for (int i = 0; i < h.colours; ++i) {
        const qsizetype at = qsizetype(tableAt + qint64(i) * h.colourBytes);
        table[std::size_t(i)] = palette ? (*palette)[u16(info, at) < palette->size() ? u16(info, at) : 0]
                                        : qRgb(quint8(info[at + 2]), quint8(info[at + 1]), quint8(info[at]));
    }
    const auto colour = [&table](int index) { return index < int(table.size()) ? table[std::size_t(index)] : qRgb(0, 0, 0); };

    QImage image(int(h.width), int(h.height), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int w = int(h.width), rows = int(h.height);
    const auto rowOf = [&](int stored) { return h.topDown ? stored : rows - 1 - stored; };

    if (h.compression == U_BI_RLE8 || h.compression == U_BI_RLE4) {
        const auto indices = runLength(bits, h);
        if (!indices)
            return QImage();
        for (int y = 0; y < rows; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(rowOf(y)));
            for (int x = 0; x < w; ++x)
                line[x] = colour((*indices)[std::size_t(qint64(y) * w + x)]);
        }
        return image;
    }
    const qint64 stride = (h.width * h.bits + 31) / 32 * 4;
    if (bits.size() < stride * h.height)
        return QImage();
    quint32 masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (h.bits == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (h.compression == U_BI_BITFIELDS) {
        const qsizetype masksAt = h.maskBytes ? h.headerBytes : 40; // checked above to lie in info
        for (int i = 0; i < 3; ++i)
            masks[i] = u32(info, masksAt + 4 * i);
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int y = 0; y < rows; ++y) {
        const char* src = bits.data() + stride * y;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(rowOf(y)));
        for (int x = 0; x < w; ++x) {
            switch (h.bits) {
            case 1: line[x] = colour((quint8(src[x / 8]) >> (7 - x % 8)) & 1); break;
            case 4: line[x] = colour((quint8(src[x / 2]) >> (x % 2 ? 0 : 4)) & 0x0F); break;
            case 8: line[x] = colour(quint8(src[x])); break;
            case 24: line[x] = qRgb(quint8(src[3 * x + 2]), quint8(src[3 * x + 1]), quint8(src[3 * x])); break;
            default: {
                const quint32 p = h.bits == 16 ? qFromLittleEndian<quint16>(src + 2 * x) : qFromLittleEndian<quint32>(src + 4 * x);
                line[x] = qRgb(red.value(p), green.value(p), blue.value(p));
            }
            }
        }
    }
    return image;
}

} // namespace kv::metafile
