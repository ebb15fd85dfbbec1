// EMF to SVG through libemf2svg.
#include "platform/ui/metafile_svg.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include <emf2svg.h>

namespace kv::metafile {
namespace {

constexpr double frameUnitsPerInch = 2540.0; // the frame is in hundredths of a millimetre
constexpr qsizetype headerBytes = 88;
constexpr quint32 emrHeader = 1;
constexpr quint32 emrEof = 14;
// Device coordinates beyond this are damage, and would overflow libemf2svg's ints.
constexpr double maxDeviceCoordinate = 1 << 30;

struct Records {
    qsizetype end = 0; // just past the end-of-file record
    qint64 count = 0;
    qint64 vectorBytes = 0; // of records other than bitmaps
};

// Records that carry a bitmap: their size is pixels, not drawing work.
bool bitmapRecord(quint32 type)
{
    switch (type) {
    case 76:  // BitBlt
    case 77:  // StretchBlt
    case 78:  // MaskBlt
    case 79:  // PlgBlt
    case 80:  // SetDIBitsToDevice
    case 81:  // StretchDIBits
    case 94:  // CreateDIBPatternBrushPt
    case 114: // AlphaBlend
    case 116: // TransparentBlt
        return true;
    }
    return false;
}

// Where the records end, when each record lies inside the file, the header
// is the only one and comes first, and its description lies inside it:
// libemf2svg trusts all of these.
std::optional<Records> recordsOf(const QByteArray& b)
{
    if (b.size() < headerBytes || u32(b, 0) != emrHeader || u32(b, 40) != emfSignature)
        return std::nullopt;
    const quint32 headerSize = u32(b, 4);
    if (headerSize < headerBytes || headerSize > quint64(b.size()))
        return std::nullopt;
    const quint32 descriptionChars = u32(b, 60), descriptionAt = u32(b, 64);
    if (descriptionAt != 0 && (descriptionAt > headerSize || descriptionChars > (headerSize - descriptionAt) / 2))
        return std::nullopt;
    Records records;
    for (qsizetype at = 0; b.size() - at >= 8;) {
        const quint32 type = u32(b, at), size = u32(b, at + 4);
        if (size < 8 || size % 4 != 0 || size > quint64(b.size() - at) || (type == emrHeader && at != 0))
            return std::nullopt;
        at += size;
        ++records.count;
        if (!bitmapRecord(type))
            records.vectorBytes += size;
        if (type == emrEof) {
            records.end = at;
            return records;
        }
    }
    return std::nullopt;
}

// Text drawn by glyph index names glyphs of its maker's font, which this
// machine need not have; libemf2svg turns the indices back into characters
// through fontconfig and then shuts fontconfig down under Qt, which aborts
// the program. Such text is emptied and drawn as none.
void emptyGlyphIndexText(QByteArray& emf)
{
    constexpr quint32 glyphIndex = 0x10; // ETO_GLYPH_INDEX
    const struct {
        quint32 type;
        qsizetype count, options; // where the character count and the options lie in the record
    } texts[] = {{83, 44, 52}, {84, 44, 52}, {108, 16, 20}}; // ExtTextOutA, ExtTextOutW, SmallTextOut
    for (qsizetype at = 0; emf.size() - at >= 8;) {
        const quint32 type = u32(emf, at), size = u32(emf, at + 4);
        for (const auto& text : texts) {
            if (type != text.type || size < quint32(text.options + 4))
                continue;
            const quint32 options = u32(emf, at + text.options);
            if (options & glyphIndex) {
                qToLittleEndian<quint32>(0, emf.data() + at + text.count);
                qToLittleEndian<quint32>(options & ~glyphIndex, emf.data() + at + text.options);
            }
        }
        at += size;
    }
}

bool usable(const QRectF& r)
{
    for (double v : {r.left(), r.top(), r.right(), r.bottom()})
        if (!(std::fabs(v) < maxDeviceCoordinate))
            return false;
    return true;
}

} // namespace

Conversion emfToSvg(const QByteArray& bytes)
{
    const std::optional<Records> records = recordsOf(bytes);
    if (!records)
        return {};
    if (records->count > maxMetafileRecords || records->vectorBytes > maxVectorRecordBytes)
        return {std::nullopt, Refusal::TooCostly};
    // The frame is the picture; its size at 96 dots an inch is the image's.
    const double frameLeft = s32(bytes, 24), frameTop = s32(bytes, 28);
    const double frameRight = s32(bytes, 32), frameBottom = s32(bytes, 36);
    const std::optional<QSize> size = pictureSize(frameRight - frameLeft, frameBottom - frameTop, frameUnitsPerInch);
    if (!size)
        return refusedSize(frameRight - frameLeft, frameBottom - frameTop, frameUnitsPerInch);
    // libemf2svg draws in the reference device's pixels: the frame there.
    const double pixelsX = double(s32(bytes, 72)) / (double(s32(bytes, 80)) * 100.0);
    const double pixelsY = double(s32(bytes, 76)) / (double(s32(bytes, 84)) * 100.0);
    if (!(pixelsX > 0 && pixelsY > 0))
        return {};
    const QRectF frame = QRectF(QPointF(frameLeft * pixelsX, frameTop * pixelsY),
                                QPointF(frameRight * pixelsX, frameBottom * pixelsY))
                             .normalized();
    if (!usable(frame))
        return {};

    // libemf2svg puts the bounds' corner at the SVG's origin, one SVG unit a
    // device pixel. Bounds it would divide by zero with, or damaged ones, are
    // replaced by the frame.
    QByteArray input = bytes.left(records->end);
    QRectF bounds(QPointF(s32(input, 8), s32(input, 12)), QPointF(s32(input, 16), s32(input, 20)));
    if (!(bounds.width() >= 1 && bounds.height() >= 1 && usable(bounds))) {
        const QRect whole = frame.toAlignedRect();
        bounds = QRectF(whole);
        qToLittleEndian<qint32>(whole.left(), input.data() + 8);
        qToLittleEndian<qint32>(whole.top(), input.data() + 12);
        qToLittleEndian<qint32>(whole.left() + whole.width(), input.data() + 16);
        qToLittleEndian<qint32>(whole.top() + whole.height(), input.data() + 20);
    }
    // Bounds across the x axis make libemf2svg take the picture for one with
    // broken y coordinates, and it keeps device coordinates as they are.
    const bool keptAsTheyAre = bounds.top() < 0 && bounds.bottom() > 0;
    const QRectF viewBox = keptAsTheyAre ? frame : frame.translated(-bounds.left(), -bounds.top());

    emptyGlyphIndexText(input);

    // Zeros after the records: a damaged record that makes libemf2svg read a
    // little past its end reads them, not foreign memory.
    const qsizetype length = input.size();
    input.append(QByteArray(64, '\0'));
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t outLength = 0;
    const int converted = emf2svg(input.data(), size_t(length), &out, &outLength, &options);
    SvgPicture picture{out ? QByteArray(out, qsizetype(outLength)) : QByteArray(), *size, viewBox};
    std::free(out);
    if (!converted || picture.svg.isEmpty())
        return {};
    return {picture};
}

} // namespace kv::metafile
