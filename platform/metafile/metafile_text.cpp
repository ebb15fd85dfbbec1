// Text of the device context: drawn with Qt's fonts (the maker's font need
// not be on this machine; Qt falls back to one that has the characters) at the
// height, weight, slant and angle the metafile asks for.
#include "platform/metafile/metafile_player.h"

#include "platform/text/text_file.h"

#include <QFontMetricsF>
#include <QStringDecoder>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kv::metafile {
namespace {

constexpr quint32 taUpdateCp = 0x01;
constexpr quint32 etoOpaque = 0x02;
constexpr quint32 etoClipped = 0x04;

// A positive font height is the character cell's, ascent and descent
// together; a negative one the character's own (the em).
double emPixels(const QFont& probe, double cellPixels)
{
    QFont f = probe;
    f.setPixelSize(100);
    const QFontMetricsF m(f);
    const double cell = m.ascent() + m.descent();
    return cell > 0 ? cellPixels * 100 / cell : cellPixels;
}

// Windows-1252 where it differs from Latin-1: 0x80 to 0x9F.
constexpr char16_t windows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += QChar(b >= 0x80 && b < 0xA0 ? windows1252[b - 0x80] : char16_t(b));
    }
    return out;
}

} // namespace

QString decodeText(QByteArrayView bytes, int charSet)
{
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    constexpr int defaultSet = 1, symbol = 2, shiftJis = 128, hangul = 129, gb2312 = 134, big5 = 136, oem = 255;
    if (charSet == gb2312 || charSet == defaultSet || charSet == oem) {
        // The system's code page (the default and OEM sets are the system's
        // too), read as the text files are.
        if (const auto utf8 = decodeCodePage(std::string_view(bytes.data(), std::size_t(bytes.size()))))
            return QString::fromStdString(*utf8);
    }
    const char* other = charSet == shiftJis ? "Shift_JIS" : charSet == hangul ? "EUC-KR" : charSet == big5 ? "Big5" : nullptr;
    if (other) {
        QStringDecoder decoder(other);
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    if (charSet == symbol)
        return QString::fromLatin1(bytes);
    return fromWindows1252(bytes);
}

// A face, weight and style asked for the first time: Qt looks it up through
// the system's fonts and their fallbacks. The em of a cell height is
// measured once for it, when first asked for.
bool Canvas::countFont(const QFont& face)
{
    if (emPerCell_.contains(face))
        return !refused();
    emPerCell_.insert(face, std::nan(""));
    return spend(fontLookupWork);
}

double Canvas::emOfCell(const QFont& face, double cellPixels)
{
    double& ratio = emPerCell_[face];
    if (std::isnan(ratio))
        ratio = emPixels(face, 1.0);
    return cellPixels * ratio;
}

// The font at its size, kept and numbered: a font made anew each time is
// looked up anew, and its metrics with fallback faces take up to half a
// millisecond.
const Canvas::SizedFont& Canvas::sizedFont(const QFont& font)
{
    auto found = sized_.find(font);
    if (found == sized_.end())
        found = sized_.insert(font, SizedFont{font, quint32(sized_.size())});
    return *found;
}

// A font drawn at a size and angle for the first time, and each character
// drawn at them for the first time: Qt renders its glyph and keeps the image
// (up to largestCachedGlyph pixels; larger ones are filled from their outline
// each time, and counted so).
double Canvas::newGlyphs(const SizedFont& sized, int angle, const QString& text)
{
    double work = 0;
    const quint64 sizeKey = quint64(sized.number) << 32 | quint32(angle);
    quint32 number = quint32(sizes_.size());
    if (const auto found = sizes_.constFind(sizeKey); found != sizes_.cend()) {
        number = *found;
    } else {
        sizes_.insert(sizeKey, number);
        work += fontSizeWork;
    }
    if (sized.font.pixelSize() > largestCachedGlyph)
        return work;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const quint64 glyph = quint64(number) << 32 | c;
        if (!glyphs_.contains(glyph)) {
            glyphs_.insert(glyph);
            work += newGlyphWork;
        }
    }
    return work;
}

void Canvas::text(QPointF at, const QString& text, const std::vector<double>& advances, quint32 options,
                  const std::optional<QRectF>& box)
{
    if (inPath_)
        return; // text in a path bracket is left out of the path
    const bool updateCp = dc.textAlign & taUpdateCp;
    if (updateCp)
        at = dc.position;
    const QTransform t = toPicture();
    const double scale = unitScale();
    const double height = std::fabs(double(dc.font.height)) * scale;

    QFont font(dc.font.face.isEmpty() ? QStringLiteral("sans-serif") : dc.font.face);
    font.setWeight(QFont::Weight(std::clamp(dc.font.weight == 0 ? 400 : dc.font.weight, 100, 900)));
    font.setItalic(dc.font.italic);
    font.setUnderline(dc.font.underline);
    font.setStrikeOut(dc.font.strikeOut);
    if (!countFont(font))
        return;
    // GDI's default font height, when the font gives none: about 12 points.
    const double em = dc.font.height == 0 ? 16.0 : dc.font.height < 0 ? height : emOfCell(font, height);

    // A glyph larger than Qt keeps is filled from its outline, over no more
    // than the pixels the clip leaves.
    const QRectF clip = clipBox();
    const double glyphs = double(text.size());
    const double glyph = em > largestCachedGlyph
                             ? outlineGlyphWork + glyphOutlinePixelWork * std::min(em * em, clip.width() * clip.height())
                             : glyphPixelWork * em * em;
    if (!spend(callWork + clipWork() + glyphs * (glyphWork + glyph)))
        return;
    const QPointF origin = t.map(at);
    const double largest = 4.0 * std::max(setup_.picture.width(), setup_.picture.height());
    if (!(em >= 1 && em <= largest) || !std::isfinite(origin.x()) || !std::isfinite(origin.y()))
        return;
    font.setPixelSize(std::max(1, int(std::lround(em))));
    const SizedFont& sized = sizedFont(font);
    if (!spend(newGlyphs(sized, (dc.font.escapement % 3600 + 3600) % 3600, text)))
        return;
    font = sized.font;
    const QFontMetricsF metrics(font);

    // Where each character starts along the baseline, in pixels.
    std::vector<double> starts;
    double width = 0;
    if (!advances.empty()) {
        for (std::size_t i = 0; i < advances.size() && i < std::size_t(text.size()); ++i) {
            starts.push_back(width);
            width += advances[i] * scale;
        }
    } else {
        width = metrics.horizontalAdvance(text);
    }
    const quint32 horizontal = dc.textAlign & 0x06, vertical = dc.textAlign & 0x18;
    const double x0 = horizontal == 0x06 ? -width / 2 : horizontal == 0x02 ? -width : 0.0;
    const double baseline = vertical == 0x18 ? 0.0 : vertical == 0x08 ? -metrics.descent() : metrics.ascent();
    const QRectF ink(x0, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent());
    const double angle = -dc.font.escapement / 10.0; // anticlockwise on the page
    QTransform frame;
    frame.translate(origin.x(), origin.y());
    frame.rotate(angle);

    // The opaque box, the clip to it and the background behind the
    // characters (or their lines) are fills, counted as such.
    const bool boxed = box && (options & (etoOpaque | etoClipped));
    const QPolygonF area = boxed ? t.map(QPolygonF(box->normalized())) : QPolygonF();
    const QPolygonF behind = frame.map(QPolygonF(ink));
    double fills = 0;
    if (boxed && (options & etoOpaque))
        fills += budget_.fill({area}, clip);
    if (boxed && (options & etoClipped))
        fills += budget_.fill({area}, clip, 0);
    if (dc.opaque || font.underline() || font.strikeOut())
        fills += budget_.fill({behind}, clip);
    if (!spend(fills))
        return;
    note(frame.mapRect(ink));
    if (updateCp)
        dc.position = t.inverted().map(frame.map(QPointF(x0 + width, 0)));
    if (!painter_)
        return;

    applyClip();
    painter_->save();
    if (boxed) {
        if (options & etoOpaque) {
            painter_->setPen(Qt::NoPen);
            painter_->setBrush(dc.backColour);
            painter_->drawPolygon(area);
        }
        if (options & etoClipped) {
            QPainterPath clipPath;
            clipPath.addPolygon(area);
            painter_->setClipPath(clipPath, dc.clip ? Qt::IntersectClip : Qt::ReplaceClip);
        }
    }
    painter_->setTransform(frame);
    if (dc.opaque)
        painter_->fillRect(ink, dc.backColour);
    painter_->setFont(font);
    painter_->setPen(dc.textColour);
    painter_->setBackgroundMode(Qt::TransparentMode); // the background, when opaque, is filled above
    if (starts.empty()) {
        painter_->drawText(QPointF(x0, baseline), text);
    } else {
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const QChar c = text.at(qsizetype(i));
            if (c.isLowSurrogate())
                continue;
            const qsizetype n = c.isHighSurrogate() && qsizetype(i) + 1 < text.size() ? 2 : 1;
            painter_->drawText(QPointF(x0 + starts[i], baseline), text.mid(qsizetype(i), n));
        }
    }
    painter_->restore();
    clipApplied_ = false; // restore() brought back the painter's clip, not necessarily ours
}

} // namespace kv::metafile
