// PNG and JPEG files that are small on disk and huge when decoded: every
// pixel is zero, so the compressed data is a few bits for thousands of pixels
// (PNG about a thousandth of the decoded size, JPEG six bits for every 8 x 8
// block). They are written here bit by bit, with nothing ever held at the
// decoded size. A file may also be cut short: its header then claims all the
// pixels while its data holds only the first bytes.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <limits>

namespace kv::test {

namespace huge {

// Bits packed least significant first, as deflate packs them.
struct DeflateBits {
    QByteArray bytes;
    quint32 pending = 0;
    int count = 0;
    void put(quint32 value, int bits)
    {
        pending |= value << count;
        count += bits;
        for (; count >= 8; count -= 8, pending >>= 8)
            bytes.append(char(pending & 0xFF));
    }
    // Huffman codes go most significant bit first.
    void code(quint32 value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i)
            put(value >> i & 1, 1);
    }
    void flush()
    {
        if (count > 0)
            put(0, 8 - count);
    }
};

// A zlib stream of zeroBytes zero bytes: one dynamic-Huffman block whose
// codes are a literal zero (2 bits), the end of the block (2 bits) and a
// match of 258 bytes at distance 1 (1 + 1 bit): 2 bits for every 258 bytes.
inline QByteArray zlibZeros(qint64 zeroBytes, qint64 mostBytes = std::numeric_limits<qint64>::max())
{
    DeflateBits out;
    out.put(0x78, 8);
    out.put(0x01, 8);
    out.put(1, 1);  // the final block
    out.put(2, 2);  // dynamic Huffman codes
    out.put(29, 5); // 286 literal and length codes
    out.put(0, 5);  // one distance code
    out.put(14, 4); // 18 code length codes, in the order deflate lists them
    for (int length : {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2}) // 18: 1 bit, 2 and 1: 2 bits
        out.put(length, 3);
    // The code lengths with that code (18 is "0", 1 is "10", 2 is "11"):
    // literal 0 has 2 bits, 1 to 255 none, the end 2, 257 to 284 none, 285
    // (258 bytes) 1, and distance 1 has 1.
    out.code(3, 2);
    out.code(0, 1), out.put(138 - 11, 7);
    out.code(0, 1), out.put(117 - 11, 7);
    out.code(3, 2);
    out.code(0, 1), out.put(28 - 11, 7);
    out.code(2, 2);
    out.code(2, 2);
    // Literal 0 is "10", the end "11", the 258-byte match "0" with distance "0".
    out.code(2, 2);
    for (qint64 left = zeroBytes - 1; left > 0 && out.bytes.size() < mostBytes;) {
        if (left >= 258) {
            out.code(0, 2);
            left -= 258;
        } else {
            out.code(2, 2);
            --left;
        }
    }
    if (out.bytes.size() >= mostBytes)
        return out.bytes.left(mostBytes);
    out.code(3, 2);
    out.flush();
    const quint32 adler = quint32(zeroBytes % 65521) << 16 | 1; // every byte zero: a = 1, b = the count
    char b[4];
    qToBigEndian<quint32>(adler, b);
    return out.bytes + QByteArray(b, 4);
}

inline quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xEDB88320 ^ crc >> 1 : crc >> 1;
    }
    return ~crc;
}

inline QByteArray bigEndian32(quint32 v)
{
    char b[4];
    qToBigEndian<quint32>(v, b);
    return QByteArray(b, 4);
}

inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    return bigEndian32(quint32(data.size())) + typed + bigEndian32(crc32(typed));
}

inline QByteArray bigEndian16(int v) { return QByteArray(1, char(v >> 8 & 0xFF)) + QByteArray(1, char(v & 0xFF)); }

} // namespace huge

// An RGBA PNG of width x height transparent pixels (4 bytes each decoded);
// mostDataBytes cuts its compressed data short.
inline QByteArray zeroPng(int width, int height, qint64 mostDataBytes = std::numeric_limits<qint64>::max())
{
    using namespace huge;
    const QByteArray header
        = bigEndian32(quint32(width)) + bigEndian32(quint32(height)) + QByteArray("\x08\x06\0\0\0", 5);
    const qint64 rowBytes = 1 + qint64(width) * 4; // a filter byte, then the pixels
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header)
           + pngChunk("IDAT", zlibZeros(rowBytes * height, mostDataBytes)) + pngChunk("IEND", QByteArray());
}

// A baseline colour JPEG of width x height mid-grey pixels (4 bytes each
// decoded): every block's coefficients are zero, each coded in 1 bit by
// Huffman tables of a single code. withData false leaves the coded data out:
// the decoder then fills the whole picture from the header alone.
inline QByteArray greyJpeg(int width, int height, bool withData = true)
{
    using namespace huge;
    const auto segment = [](int marker, const QByteArray& body) {
        return QByteArray(1, '\xFF') + QByteArray(1, char(marker)) + bigEndian16(int(body.size()) + 2) + body;
    };
    const QByteArray oneCodeOfOneBit = QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0');
    QByteArray frame = QByteArray(1, '\x08') + bigEndian16(height) + bigEndian16(width) + QByteArray(1, '\3');
    QByteArray scan(1, '\3');
    for (char component = 1; component <= 3; ++component) {
        frame += QByteArray(1, component) + QByteArray("\x11\0", 2); // no subsampling, quantisation table 0
        scan += QByteArray(1, component) + QByteArray(1, '\0');      // DC and AC table 0
    }
    scan += QByteArray("\0\x3F\0", 3);
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8) * 3;
    return QByteArray("\xFF\xD8", 2) + segment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\1')) + segment(0xC0, frame)
           + segment(0xC4, QByteArray(1, '\x00') + oneCodeOfOneBit)
           + segment(0xC4, QByteArray(1, '\x10') + oneCodeOfOneBit) + segment(0xDA, scan)
           + QByteArray(withData ? (blocks * 2 + 7) / 8 : 0, '\0') + QByteArray("\xFF\xD9", 2);
}

} // namespace kv::test
