// WMF to SVG through libwmf's SVG device.
#include "platform/ui/metafile_svg.h"

#include "platform/text/text_file.h"

#include <QDeadlineTimer>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

// Last: libwmf's headers define the Windows GDI constants as macros.
#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/macro.h>
#include <libwmf/svg.h>

namespace kv::metafile {
namespace {

constexpr qsizetype placeableHeaderBytes = 22;
constexpr qsizetype headerBytes = 18;

struct Layout {
    qsizetype header = 0; // where the standard header starts: after the placeable one, if any
    qsizetype end = 0;    // just past the end-of-file record
    quint32 largestRecordWords = 0;
    qint64 records = 0;
    qint64 vectorBytes = 0; // of records other than bitmaps
};

// Records that carry a bitmap: their size is pixels, not drawing work.
bool bitmapRecord(quint16 function)
{
    switch (function) {
    case 0x0922: // BitBlt
    case 0x0940: // DIBBitBlt
    case 0x0B23: // StretchBlt
    case 0x0B41: // DIBStretchBlt
    case 0x0D33: // SetDIBitsToDevice
    case 0x0F43: // StretchDIBits
    case 0x0142: // DIBCreatePatternBrush
        return true;
    }
    return false;
}

// Every record must lie inside the file and the last must be the end-of-file
// record: libwmf is handed only a metafile whose records it can walk.
std::optional<Layout> layoutOf(const QByteArray& b)
{
    Layout layout;
    if (b.size() >= 4 && u32(b, 0) == wmfPlaceableKey)
        layout.header = placeableHeaderBytes;
    if (!isWmfHeader(b, layout.header) || b.size() < layout.header + headerBytes)
        return std::nullopt;
    for (qsizetype at = layout.header + headerBytes; b.size() - at >= 6;) {
        const quint32 words = u32(b, at);
        const quint16 function = u16(b, at + 4);
        if (words < 3 || words > quint64(b.size() - at) / 2)
            return std::nullopt;
        layout.largestRecordWords = std::max(layout.largestRecordWords, words);
        ++layout.records;
        if (!bitmapRecord(function))
            layout.vectorBytes += qint64(words) * 2;
        at += qsizetype(words) * 2;
        if (function == 0) {
            layout.end = at;
            return layout;
        }
    }
    return std::nullopt;
}

// The header's whole size and largest record, in 16-bit words, as the records
// really are: libwmf allocates a buffer of the largest record the header
// claims, so a damaged header could ask for gigabytes.
void recountHeader(QByteArray& b, qsizetype header, quint32 largestRecordWords)
{
    qToLittleEndian<quint32>(quint32((b.size() - header) / 2), b.data() + header + 6);
    qToLittleEndian<quint32>(largestRecordWords, b.data() + header + 12);
}

QByteArray record(quint16 function, std::initializer_list<int> parameters)
{
    QByteArray r(6 + 2 * qsizetype(parameters.size()), '\0');
    qToLittleEndian<quint32>(quint32(3 + parameters.size()), r.data());
    qToLittleEndian<quint16>(function, r.data() + 4);
    qsizetype at = 6;
    for (int p : parameters) {
        qToLittleEndian<qint16>(qint16(p), r.data() + at);
        at += 2;
    }
    return r;
}

// A Windows program plays a placeable metafile with its bounding box set as
// the window and the picture as the viewport; the metafile's own window
// records then override the first, as they do there. libwmf starts from a
// fixed scale instead, so the same set-up goes in front of the records, and
// libwmf's device units become the picture's pixels.
std::optional<QByteArray> withPlacement(const QByteArray& b, const Layout& layout, QSize picture)
{
    const int left = s16(b, 6), top = s16(b, 8), right = s16(b, 10), bottom = s16(b, 12);
    const int width = right - left, height = bottom - top;
    if (width < -32768 || width > 32767 || height < -32768 || height > 32767)
        return std::nullopt;
    constexpr int anisotropic = 8;
    // GDI lists a record's parameters last first: y before x.
    const QByteArray setup = record(0x0103, {anisotropic})                           // SetMapMode
                             + record(0x020B, {top, left})                          // SetWindowOrg
                             + record(0x020C, {height, width})                      // SetWindowExt
                             + record(0x020D, {0, 0})                               // SetViewportOrg
                             + record(0x020E, {picture.height(), picture.width()}); // SetViewportExt
    const qsizetype records = layout.header + headerBytes;
    QByteArray out = b.left(records) + setup + b.mid(records, layout.end - records);
    recountHeader(out, layout.header, std::max<quint32>(layout.largestRecordWords, 5));
    return out;
}

struct Session {
    wmfAPI* api = nullptr;
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

// Generic families, so Qt picks from the fonts it has.
int fontKind(const wmfFont& font)
{
    const unsigned family = font.lfPitchAndFamily & 0xF0u;
    const bool fixedPitch = (font.lfPitchAndFamily & 0x03u) == 1;
    return family == 0x10 ? 1 : (fixedPitch || family == 0x30) ? 2 : 0; // FF_ROMAN, FF_MODERN
}

// libwmf looks for the PostScript standard fonts on disk only to measure
// text, and fails every metafile when they are missing. A font needs only a
// standard name here, and text is measured at half an em a byte (a CP936
// character, two bytes, is about an em wide).
void nameFont(wmfAPI* api, wmfFont* font)
{
    static const char* const names[3][4] = {
        {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
        {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"},
        {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"},
    };
    if (!font->user_data)
        font->user_data = wmf_malloc(api, sizeof(wmfIPAFont));
    auto* named = static_cast<wmfIPAFont*>(font->user_data);
    if (!named)
        return;
    const int style = (font->lfWeight > 550 ? 1 : 0) + (font->lfItalic ? 2 : 0);
    named->ps_name = const_cast<char*>(names[fontKind(*font)][style]);
    named->ft_face = nullptr;
}

float measureText(wmfAPI*, wmfFont*, char* text)
{
    return text ? 0.5f * float(std::strlen(text)) : 0.0f;
}

// WMF text is in the code page of its font's character set.
QByteArray xmlText(const char* bytes, unsigned charSet)
{
    constexpr unsigned ansiCharSet = 0, symbolCharSet = 2;
    const std::string_view raw = bytes ? std::string_view(bytes) : std::string_view();
    std::optional<std::string> utf8;
    if (charSet != ansiCharSet && charSet != symbolCharSet)
        utf8 = decodeCodePage(raw);
    if (!utf8)
        utf8 = QString::fromLatin1(raw.data(), qsizetype(raw.size())).toUtf8().toStdString();
    QByteArray out;
    for (char c : *utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c; // other control characters are not allowed in XML
        }
    }
    return out;
}

QByteArray number(double v) { return QByteArray::number(v, 'f', 3); }

// The SVG device's own mapping of device units onto the SVG.
struct Mapping {
    const wmf_svg_t& svg;
    double sx() const { return svg.width / (double(svg.bbox.BR.x) - svg.bbox.TL.x); }
    double sy() const { return svg.height / (double(svg.bbox.BR.y) - svg.bbox.TL.y); }
    double x(double d) const { return (d - svg.bbox.TL.x) * sx(); }
    double y(double d) const { return (d - svg.bbox.TL.y) * sy(); }
};

// libwmf's own printing formats into a buffer it grows, and on growing reads
// its arguments a second time from a spent va_list: a long label comes out as
// garbage or worse. Text and bitmaps, the long outputs, are written here,
// straight into the stream.
void write(const wmf_svg_t& svg, QByteArray text)
{
    svg.out->sputs(text.data(), svg.out->context);
}

void drawText(wmfAPI* api, wmfDrawText_t* text)
{
    const wmf_svg_t* svg = WMF_SVG_GetData(api);
    if (!svg->out || !text->str || !text->dc || !text->dc->font)
        return;
    static const char* const families[] = {"sans-serif", "serif", "monospace"};
    const wmfFont& font = *text->dc->font;
    const Mapping map{*svg};
    const wmfRGB& colour = *WMF_DC_TEXTCOLOR(text->dc);
    const double turn = -WMF_TEXT_ANGLE(&font); // escapement turns anticlockwise, SVG clockwise
    const double c = std::cos(turn), s = std::sin(turn);
    write(*svg, "<text x=\"0\" y=\"0\" font-family=\"" + QByteArray(families[fontKind(font)]) + "\" font-size=\""
                    + number(std::fabs(text->font_height * map.sy())) + "\" font-weight=\""
                    + (font.lfWeight > 550 ? "bold" : "normal") + "\" font-style=\""
                    + (font.lfItalic ? "italic" : "normal") + "\" fill=\"#"
                    + QByteArray::number((colour.r << 16) | (colour.g << 8) | colour.b, 16).rightJustified(6, '0')
                    + "\" transform=\"matrix(" + number(c) + ' ' + number(s) + ' ' + number(-s) + ' ' + number(c) + ' '
                    + number(map.x(text->pt.x)) + ' ' + number(map.y(text->pt.y)) + ")\">"
                    + xmlText(text->str, font.lfCharSet) + "</text>\n");
}

// libwmf's device also places a bitmap twice over (by its position and again
// by a transform) and names it with an undeclared xlink prefix.
void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* bitmap)
{
    const wmf_svg_t* svg = WMF_SVG_GetData(api);
    if (!svg->out || !bitmap->bmp.data)
        return;
    const Mapping map{*svg};
    const double x0 = map.x(bitmap->pt.x), y0 = map.y(bitmap->pt.y);
    const double x1 = x0 + bitmap->pixel_width * bitmap->crop.w * map.sx();
    const double y1 = y0 + bitmap->pixel_height * bitmap->crop.h * map.sy();
    write(*svg, "<image x=\"" + number(std::min(x0, x1)) + "\" y=\"" + number(std::min(y0, y1)) + "\" width=\""
                    + number(std::fabs(x1 - x0)) + "\" height=\"" + number(std::fabs(y1 - y0))
                    + "\" preserveAspectRatio=\"none\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
                      " xlink:href=\"data:image/png;base64,");
    wmf_ipa_bmp_b64(api, bitmap, svg->out);
    write(*svg, "\"/>\n");
}

// libwmf's bitmap reader trusts the bitmap's header: an odd header size sends
// it skipping bytes for minutes, and the claimed dimensions and colour count
// size its buffers and every later loop over the pixels. So a bitmap is read only when its
// header is one of the known kinds and its pixels fit the record (or, run-
// length encoded, are no more than the image readers would allocate); any
// other is left out, as libwmf leaves out one it cannot read.
bool bitmapReadable(const unsigned char* p, long length, unsigned presetWidth, unsigned presetHeight)
{
    if (!p || length < 12)
        return false;
    const auto u16At = [p](int at) { return quint32(qFromLittleEndian<quint16>(p + at)); };
    const auto u32At = [p](int at) { return qFromLittleEndian<quint32>(p + at); };
    const quint32 headerSize = u32At(0);
    qint64 width = 0, height = 0;
    quint32 planes = 0, bits = 0, compression = 0;
    if (headerSize == 12) { // the OS/2 core header
        width = u16At(4);
        height = u16At(6);
        planes = u16At(8);
        bits = u16At(10);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        if (length < long(headerSize))
            return false;
        width = qFromLittleEndian<qint32>(p + 4);
        height = std::abs(qint64(qFromLittleEndian<qint32>(p + 8)));
        planes = u16At(12);
        bits = u16At(14);
        compression = u32At(16);
        // The reader allocates the colour table the header claims, whatever the depth.
        if (quint64(u32At(32)) * 4 > quint64(length) - headerSize)
            return false;
    } else {
        return false;
    }
    if (presetWidth)
        width = presetWidth;
    if (presetHeight)
        height = presetHeight;
    const bool knownBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (planes != 1 || !knownBits || compression > 3 || width < 1 || width > 65535 || height < 1 || height > 65535)
        return false;
    const qint64 limitMiB = QImageReader::allocationLimit();
    if (limitMiB > 0 && width * height * 4 > limitMiB * 1024 * 1024)
        return false;
    const bool runLength = compression == 1 || compression == 2;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return runLength || headerSize + rowBytes * height <= length;
}

// libwmf calls this after every record; non-zero stops it. Regions and clips
// can make some records cost more the more came before. The record budget
// keeps every metafile seen far inside this; the deadline is the last guard,
// so that no metafile can freeze the window.
constexpr int conversionSeconds = 10;

int stopWhenLate(void* deadline, float)
{
    return static_cast<const QDeadlineTimer*>(deadline)->hasExpired() ? 1 : 0;
}

// The SVG's text, in an array that grows by doubling: libwmf's own memory
// stream grows by a fixed step, copying the whole text each time, which costs
// the square of the SVG's length.
struct SvgText {
    QByteArray bytes;
};

int putSvgText(char* text, void* context)
{
    static_cast<SvgText*>(context)->bytes.append(text);
    return 0;
}

int resetSvgText(void* context)
{
    static_cast<SvgText*>(context)->bytes.clear();
    return 0;
}

void readBitmap(wmfAPI* api, wmfBMP_Read_t* read)
{
    read->bmp.data = nullptr;
    if (bitmapReadable(read->buffer, read->length, read->width, read->height))
        wmf_ipa_bmp_read(api, read);
}

} // namespace

Conversion wmfToSvg(const QByteArray& bytes)
{
    const std::optional<Layout> layout = layoutOf(bytes);
    if (!layout)
        return {};
    if (layout->records > maxMetafileRecords || layout->vectorBytes > maxVectorRecordBytes)
        return {std::nullopt, Refusal::TooCostly};
    const bool placeable = layout->header != 0;
    QByteArray input = bytes.left(layout->end);
    recountHeader(input, layout->header, layout->largestRecordWords);
    std::optional<QSize> size;
    if (placeable) {
        const double width = s16(bytes, 10) - s16(bytes, 6), height = s16(bytes, 12) - s16(bytes, 8);
        size = pictureSize(width, height, u16(bytes, 14));
        if (!size)
            return refusedSize(width, height, u16(bytes, 14));
        const std::optional<QByteArray> placed = withPlacement(bytes, *layout, *size);
        if (!placed)
            return {};
        input = *placed;
    }

    const QDeadlineTimer deadline(conversionSeconds * 1000);
    Session session; // after input and deadline: libwmf uses them until destroyed
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&session.api, flags, &options) != wmf_E_None)
        return {};
    auto* fonts = static_cast<wmfFontData*>(session.api->font_data);
    auto* device = static_cast<wmfFunctionReference*>(session.api->function_reference);
    wmf_svg_t* svg = WMF_SVG_GetData(session.api);
    if (!fonts || !device || !svg)
        return {};
    fonts->map = nameFont;
    fonts->stringwidth = measureText;
    device->draw_text = drawText;
    device->bmp_draw = drawBitmap;
    device->bmp_read = readBitmap;

    wmf_status_function(session.api, const_cast<QDeadlineTimer*>(&deadline), stopWhenLate);

    if (wmf_mem_open(session.api, reinterpret_cast<unsigned char*>(input.data()), long(input.size())) != wmf_E_None)
        return {};
    wmfD_Rect box{};
    if (wmf_scan(session.api, 0, &box) != wmf_E_None)
        return {std::nullopt, deadline.hasExpired() ? Refusal::TooCostly : Refusal::Damaged};
    if (placeable) {
        box = wmfD_Rect{{0, 0}, {float(size->width()), float(size->height())}};
    } else {
        // No physical size is recorded: libwmf's own estimate from what is drawn.
        unsigned int width = 0, height = 0;
        if (wmf_display_size(session.api, &width, &height, screenDotsPerInch, screenDotsPerInch) != wmf_E_None)
            return {};
        size = pictureSize(width, height, screenDotsPerInch);
        if (!size)
            return refusedSize(width, height, screenDotsPerInch);
        const QRectF drawn(QPointF(box.TL.x, box.TL.y), QPointF(box.BR.x, box.BR.y));
        if (!(drawn.width() > 0 && drawn.height() > 0 && std::isfinite(drawn.width() + drawn.height())))
            return {};
    }

    SvgText text;
    wmfStream stream{&text, putSvgText, resetSvgText};
    svg->out = &stream;
    svg->bbox = box;
    svg->width = unsigned(size->width());
    svg->height = unsigned(size->height());
    svg->Description = nullptr;
    svg->flags |= WMF_SVG_INLINE_IMAGES; // bitmaps inside the SVG, not in files beside the picture
    wmfD_Rect played{};
    const wmf_error_t playError = wmf_play(session.api, 0, &played);
    svg->out = nullptr;
    if (deadline.hasExpired())
        return {std::nullopt, Refusal::TooCostly};
    if (playError != wmf_E_None)
        return {};
    return {SvgPicture{text.bytes, *size, QRectF(0, 0, size->width(), size->height())}};
}

} // namespace kv::metafile
