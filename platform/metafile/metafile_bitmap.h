// The bitmaps inside metafiles: device-independent bitmaps of 1 to 32 bits a
// pixel, run-length coded or not, with colour masks, and PNG and JPEG pictures
// packed in their place. The size is read from the header first, so that the
// decoding is counted before it is done.
#pragma once

#include "platform/metafile/jpeg_cost.h"

#include <QByteArrayView>
#include <QImage>

#include <optional>
#include <vector>

namespace kv::metafile {

struct DibHeader {
    qint64 width = 0, height = 0; // height: rows, whatever the order
    bool topDown = false;
    int bits = 0;
    quint32 compression = 0;
    quint32 headerBytes = 0;
    int colours = 0;       // entries of the colour table
    int colourBytes = 4;   // 3 in the old core header
    quint32 maskBytes = 0; // colour masks after a header shorter than 52 bytes
    std::optional<JpegDecoding> jpeg; // a packed JPEG's decoding, counted from its markers
    // Where the pixels start in a packed bitmap (header, masks, colour table, pixels).
    qint64 packedBitsAt() const { return qint64(headerBytes) + maskBytes + qint64(colours) * colourBytes; }
    qint64 pixels() const { return width * height; }
};

// The header at the start of info, checked to lie inside it; for a PNG or JPEG
// its size is the packed picture's own, read from that picture's header (a
// JPEG's from its frame header, without the image reader). Under
// U_DIB_PAL_COLORS (usage) its colour table holds 16-bit indices into the
// palette.
std::optional<DibHeader> readDibHeader(QByteArrayView info, QByteArrayView bits, quint32 usage);

// The pixels, top row first; null when they are not all there or the header
// asks for something no DIB holds. palette, when given: the colour table
// holds 16-bit indices into it (DIB_PAL_COLORS); an index past its end
// takes its first colour.
QImage decodeDib(const DibHeader& header, QByteArrayView info, QByteArrayView bits, const std::vector<QRgb>* palette);

} // namespace kv::metafile
