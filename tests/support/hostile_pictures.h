// Pictures whose decoding costs far more than their size suggests. JPEG
// files written segment by segment: a picture of mid-grey blocks (every coefficient zero,
// each block's one DC code a single bit) followed by scans that carry no
// coded data. The decoder still walks every block of the components a scan
// covers, and with a restart interval it decodes each block afresh from the
// zero bits it puts in place of the missing data. A GIF whose codes give
// far more pixels than its screen shows, a PNG with many compressed texts.
// Each file is made by a function taking the numbers that size it.
#pragma once

#include "tests/support/huge_pictures.h"
#include "tests/support/metafile_corpus.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kv::test {

struct JpegRecipe {
    int width = 8, height = 8;
    int components = 3;   // 1 (grey) or 3 (colour)
    int firstSampling = 1; // horizontal and vertical sampling factor of the first component; the others have 1
    bool progressive = true;
    bool arithmetic = false; // arithmetic coding in place of Huffman codes (no tables, no coded data)
    // Scans with no coded data after the picture's own: in a progressive
    // file each covers the first component's band from bandStart to bandEnd
    // (0 to 0: the DC coefficients of every component), in a sequential one
    // the first component.
    int emptyScans = 0;
    int bandStart = 1, bandEnd = 63;
    int restartInterval = 0; // MCUs between restarts in the empty scans; 0: none
    // The AC table's one symbol, which the zero bits decode to: 0 ends the
    // block at once, 1 (a coefficient of one bit, no zeros before it) makes
    // the decoder step through every coefficient of the band.
    int acSymbol = 0;
    // The extra scans refine the band (successive approximation high bit 1,
    // low bit 0), each with this many zero bytes of coded data: with the AC
    // symbol 0xE0 (a run of at least 16384 blocks with no new coefficient,
    // which the decoder still steps through coefficient by coefficient) a
    // few bytes cover a whole picture.
    bool refine = false;
    int scanDataBytes = 0;
    // Comment segments of commentBytes bytes (up to 65533) before the frame.
    int comments = 0;
    int commentBytes = 0;
};

namespace jpeg {

inline QByteArray segment(int marker, const QByteArray& body)
{
    return QByteArray(1, '\xFF') + QByteArray(1, char(marker)) + huge::bigEndian16(int(body.size()) + 2) + body;
}

inline QByteArray scanHeader(const QByteArray& components, int bandStart, int bandEnd, int approximation = 0)
{
    QByteArray body(1, char(components.size()));
    for (char c : components)
        body += QByteArray(1, c) + QByteArray(1, '\0'); // DC and AC table 0
    return segment(0xDA, body + QByteArray(1, char(bandStart)) + QByteArray(1, char(bandEnd)) + QByteArray(1, char(approximation)));
}

} // namespace jpeg

// The file the recipe describes.
inline QByteArray hostileJpeg(const JpegRecipe& r)
{
    using jpeg::segment;
    const int frameMarker = r.arithmetic ? (r.progressive ? 0xCA : 0xC9) : (r.progressive ? 0xC2 : 0xC0);
    QByteArray frame = QByteArray(1, '\x08') + huge::bigEndian16(r.height) + huge::bigEndian16(r.width)
                       + QByteArray(1, char(r.components));
    QByteArray all;
    for (int c = 1; c <= r.components; ++c) {
        const int sampling = c == 1 ? r.firstSampling : 1;
        frame += QByteArray(1, char(c)) + QByteArray(1, char(sampling << 4 | sampling)) + QByteArray(1, '\0');
        all += QByteArray(1, char(c));
    }
    // One code of one bit: for the DC a difference of zero.
    const auto oneCode = [](int symbol) { return QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, char(symbol)); };
    QByteArray out("\xFF\xD8", 2);
    for (int i = 0; i < r.comments; ++i)
        out += segment(0xFE, QByteArray(r.commentBytes, 'c'));
    out += segment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\1')) + segment(frameMarker, frame);
    if (!r.arithmetic)
        out += segment(0xC4, QByteArray(1, '\x00') + oneCode(0)) + segment(0xC4, QByteArray(1, '\x10') + oneCode(r.acSymbol));
    // The picture's own scans: every component's DC in one (a progressive
    // file), or every coefficient of each component in a scan of its own (a
    // sequential one, so that more scans may follow), one bit a block for
    // the DC and one for the end of the block.
    const int mcuSide = 8 * r.firstSampling;
    const qint64 mcus = qint64((r.width + mcuSide - 1) / mcuSide) * ((r.height + mcuSide - 1) / mcuSide);
    if (r.progressive) {
        out += jpeg::scanHeader(all, 0, 0);
        if (!r.arithmetic)
            out += QByteArray((mcus * (r.firstSampling * r.firstSampling + r.components - 1) + 7) / 8, '\0');
    }
    for (int c = 0; c < r.components && !r.progressive; ++c) {
        const int across = c == 0 ? r.width : (r.width + r.firstSampling - 1) / r.firstSampling;
        const int down = c == 0 ? r.height : (r.height + r.firstSampling - 1) / r.firstSampling;
        out += jpeg::scanHeader(all.mid(c, 1), 0, 63);
        if (!r.arithmetic)
            out += QByteArray((qint64((across + 7) / 8) * ((down + 7) / 8) * 2 + 7) / 8, '\0');
    }
    if (r.restartInterval > 0)
        out += segment(0xDD, huge::bigEndian16(r.restartInterval));
    const bool dc = r.progressive && r.bandStart == 0;
    const QByteArray empty = r.progressive ? jpeg::scanHeader(dc ? all : all.left(1), r.bandStart, r.bandEnd, r.refine ? 0x10 : 0)
                                           : jpeg::scanHeader(all.left(1), 0, 63);
    for (int i = 0; i < r.emptyScans; ++i)
        out += empty + QByteArray(r.scanDataBytes, '\0');
    return out + QByteArray("\xFF\xD9", 2);
}

// A GIF of one colour whose screen is screen x screen pixels and whose
// first image's frame is frameWidth x frameHeight, coded with ever longer
// LZW strings: each code after a clear adds the string of the one before and
// one pixel more, up to the table's 4096 entries, and then its last code
// (4091 pixels) is repeated: 12 bits for 4091 pixels. The codes give the
// frame's pixels and fewer than 4091 more.
inline QByteArray longCodesGif(int screen, int frameWidth, int frameHeight)
{
    const auto le16 = [](int v) { return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8 & 0xFF)); };
    QByteArray g = QByteArray("GIF89a") + le16(screen) + le16(screen) + QByteArray("\x80\0\0", 3) // two colours
                   + QByteArray("\0\0\0\xFF\xFF\xFF", 6) + QByteArray(1, '\x2C') + le16(0) + le16(0)
                   + le16(frameWidth) + le16(frameHeight) + QByteArray(1, '\0') + QByteArray(1, '\2'); // 2-bit roots
    huge::DeflateBits codes; // least significant bit first, as LZW codes go too
    int bits = 3, next = 6;
    codes.put(4, bits); // clear
    codes.put(0, bits); // one pixel
    const qint64 pixels = qint64(frameWidth) * frameHeight;
    for (qint64 done = 1, length = 1; done < pixels; done += length) {
        if (next == 4096) {
            codes.put(4095, bits);
            continue;
        }
        codes.put(next, bits); // the string being added: the one before and its first pixel
        ++length;
        if (++next == 1 << bits && bits < 12)
            ++bits;
    }
    codes.put(5, bits); // end
    codes.flush();
    for (qsizetype at = 0; at < codes.bytes.size(); at += 255) {
        const QByteArray block = codes.bytes.mid(at, 255);
        g += QByteArray(1, char(block.size())) + block;
    }
    return g + QByteArray(1, '\0') + QByteArray(1, '\x3B');
}

// An 8 x 8 grey PNG with that many zTXt chunks, each of zeroBytes of text.
inline QByteArray compressedTextsPng(int texts, qint64 zeroBytes)
{
    using namespace huge;
    const QByteArray header = bigEndian32(8) + bigEndian32(8) + QByteArray("\x08\x00\0\0\0", 5);
    const QByteArray text = pngChunk("zTXt", QByteArray("Comment\0\0", 9) + zlibZeros(zeroBytes));
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + text.repeated(texts)
           + pngChunk("IDAT", zlibZeros(8 * 9)) + pngChunk("IEND", QByteArray());
}

// An 8000 x 8000 colour picture (a million blocks a component) followed by
// scans of the first component's AC band that hold no data.
inline JpegRecipe emptyScans(int scans)
{
    JpegRecipe r;
    r.width = r.height = 8000;
    r.emptyScans = scans;
    return r;
}

// The same in grey: inside a metafile its pixels and the coefficients it
// holds stay within what a bitmap there may take, and its scans decide.
inline JpegRecipe greyEmptyScans(int scans)
{
    JpegRecipe r = emptyScans(scans);
    r.components = 1;
    return r;
}

// The same with refinement scans whose few bytes of data are runs of blocks
// with no new coefficient, stepped through coefficient by coefficient.
inline JpegRecipe refinementRuns(int scans)
{
    JpegRecipe r = emptyScans(scans);
    r.refine = true;
    r.acSymbol = 0xE0;
    r.scanDataBytes = 200;
    return r;
}

inline CorpusFile jpegFile(const QString& name, const JpegRecipe& r) { return {name, hostileJpeg(r), std::nullopt}; }

// Pictures that hold a reader up or fill its memory, one of each kind, at
// sizes that did before they were counted.
inline std::vector<CorpusFile> hostilePictures()
{
    JpegRecipe dc = emptyScans(3000);
    dc.bandStart = dc.bandEnd = 0;
    JpegRecipe arithmetic = dc;
    arithmetic.arithmetic = true;
    arithmetic.emptyScans = 300;
    JpegRecipe sequential = emptyScans(3000);
    sequential.progressive = false;
    JpegRecipe tiny = emptyScans(5000000);
    tiny.width = tiny.height = 8;
    tiny.components = 1;
    JpegRecipe comments;
    comments.comments = 200000;
    JpegRecipe longComments;
    longComments.comments = 2000;
    longComments.commentBytes = 65533;
    JpegRecipe cmyk;
    cmyk.width = cmyk.height = 11500;
    cmyk.components = 4;
    return {jpegFile(QStringLiteral("empty-scans-20000.jpg"), emptyScans(20000)),
            jpegFile(QStringLiteral("refinement-runs-300.jpg"), refinementRuns(300)),
            jpegFile(QStringLiteral("dc-scans-3000.jpg"), dc),
            jpegFile(QStringLiteral("arithmetic-dc-scans-300.jpg"), arithmetic),
            jpegFile(QStringLiteral("sequential-scans-3000.jpg"), sequential),
            jpegFile(QStringLiteral("tiny-scans-5000000.jpg"), tiny),
            jpegFile(QStringLiteral("comments-200000.jpg"), comments),
            jpegFile(QStringLiteral("long-comments-2000.jpg"), longComments),
            jpegFile(QStringLiteral("progressive-cmyk-11500.jpg"), cmyk),
            {QStringLiteral("long-codes-65535.gif"), longCodesGif(100, 65535, 65535), std::nullopt},
            {QStringLiteral("compressed-texts-1000.png"), compressedTextsPng(1000, 8000000), std::nullopt}};
}

// The same kinds as fuzz seeds, a few tens of kilobytes each, each just
// past its limit: more scans over a smaller picture, fewer texts.
inline std::vector<CorpusFile> hostilePictureSeeds()
{
    JpegRecipe scans = emptyScans(3000), runs = refinementRuns(300);
    scans.width = scans.height = runs.width = runs.height = 1000;
    runs.scanDataBytes = 2;
    JpegRecipe arithmetic = scans;
    arithmetic.arithmetic = true;
    arithmetic.emptyScans = 300;
    arithmetic.bandStart = arithmetic.bandEnd = 0;
    JpegRecipe comments;
    comments.comments = 5000;
    return {jpegFile(QStringLiteral("empty-scans.jpg"), scans), jpegFile(QStringLiteral("refinement-runs.jpg"), runs),
            jpegFile(QStringLiteral("arithmetic-dc-scans.jpg"), arithmetic),
            jpegFile(QStringLiteral("comments.jpg"), comments),
            {QStringLiteral("long-codes.gif"), longCodesGif(100, 12000, 12000), std::nullopt},
            {QStringLiteral("compressed-texts.png"), compressedTextsPng(101, 100000), std::nullopt}};
}

} // namespace kv::test
