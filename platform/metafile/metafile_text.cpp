// Text of the device context: drawn with Qt's fonts (the maker's font need
// not be on this machine; Qt falls back to one that has the characters) at the
// height, width, weight, slant and angle the metafile asks for; the font
// itself is chosen in metafile_font.cpp.
#include "platform/metafile/metafile_player.h"

#include "platform/metafile/metafile_font.h"

#include "platform/text/text_file.h"

#include <QFontMetricsF>
#include <QStringDecoder>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include <uemf.h>

namespace kv::metafile {
namespace {

// Measuring a text's box, its font's metrics are read at no more than this
// em in pixels (and scaled): the box needs no font as large as the text.
constexpr double largestMeasuredEm = 100;

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

// The direction of a text's baseline in the picture: the escapement's
// direction in logical units, (cos a, -sin a) for a anticlockwise from the x
// axis (exact for the quarter turns), carried through the mapping t like any
// other vector. So a window whose y axis points up turns it over: there 900
// reads down the page and 2700 up it (an axis title beside a chart's
// vertical axis), the other way round from a y-down window.
QPointF baselineDirection(const QTransform& t, int escapementTenths)
{
    QPointF d;
    switch ((escapementTenths % 3600 + 3600) % 3600) {
    case 0: d = QPointF(1, 0); break;
    case 900: d = QPointF(0, -1); break;
    case 1800: d = QPointF(-1, 0); break;
    case 2700: d = QPointF(0, 1); break;
    default: {
        const double a = escapementTenths / 10.0 * M_PI / 180;
        d = QPointF(std::cos(a), -std::sin(a));
    }
    }
    return QPointF(t.m11() * d.x() + t.m21() * d.y(), t.m12() * d.x() + t.m22() * d.y());
}

// The angle of a direction in the picture, in the painter's degrees
// (clockwise on the page, as its y axis points down), exact along the axes.
double pictureDegrees(QPointF direction)
{
    if (direction.y() == 0)
        return direction.x() < 0 ? 180 : 0;
    if (direction.x() == 0)
        return direction.y() < 0 ? -90 : 90;
    return std::atan2(direction.y(), direction.x()) * 180 / M_PI;
}

} // namespace

QString decodeText(QByteArrayView bytes, int charSet)
{
    if (charSet == U_GB2312_CHARSET || charSet == U_DEFAULT_CHARSET || charSet == U_OEM_CHARSET) {
        // The system's code page (the default and OEM sets are the system's
        // too), read as the text files are.
        if (const auto utf8 = decodeCodePage(std::string_view(bytes.data(), std::size_t(bytes.size()))))
            return QString::fromStdString(*utf8);
    }
    const char* other = charSet == U_SHIFTJIS_CHARSET    ? "Shift_JIS"
                        : charSet == U_HANGUL_CHARSET     ? "EUC-KR"
                        : charSet == U_CHINESEBIG5_CHARSET ? "Big5"
                                                           : nullptr;
    if (other) {
        QStringDecoder decoder(other);
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    if (charSet == U_SYMBOL_CHARSET)
        return QString::fromLatin1(bytes);
    return fromWindows1252(bytes);
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
    // Glyph indices name glyphs of the maker's font, which this machine need
    // not have: left out, their opaque box still filled.
    const bool glyphIndices = options & U_ETO_GLYPH_INDEX;
    if (glyphIndices)
        leaveOutDrawing();
    if (inPath_)
        return; // text in a path bracket is left out of the path
    if (box && (options & U_ETO_OPAQUE))
        fillOpaqueBox(*box);
    if (glyphIndices || text.isEmpty())
        return;
    const bool updateCp = dc.textAlign & U_TA_UPDATECP;
    if (updateCp)
        at = dc.position;
    const QTransform t = toPicture();
    const double scale = unitScale();
    const std::optional<DrawnFont> drawn = fonts_->drawnFont(dc.font, text, std::fabs(double(dc.font.height)) * scale,
                                                            std::fabs(double(dc.font.width)) * scale, budget_);
    if (!drawn)
        return;
    const double em = drawn->em;

    // A glyph larger than Qt keeps is filled from its outline, over no more
    // than the pixels the clip leaves.
    const QRectF clip = clipBox();
    const double glyphs = double(text.size());
    const double glyphPixels = em * em * drawn->widthScale; // stretched with the font
    const double glyph = em > largestCachedGlyph
                             ? outlineGlyphWork + glyphOutlinePixelWork * std::min(glyphPixels, clip.width() * clip.height())
                             : glyphPixelWork * glyphPixels;
    if (!spend(callWork + clipWork() + glyphs * (glyphWork + glyph)))
        return;
    const QPointF origin = t.map(at);
    // Drawing, a font far larger than the picture is not asked for: nothing
    // of its characters would show. Measuring (no painter, the frame of a WMF
    // without a placeable header), the text's box counts however large the
    // text is: its metrics are read at no more than largestMeasuredEm and
    // scaled to its em.
    const bool measuring = !painter_;
    const double largest = 4.0 * std::max(setup_.picture.width(), setup_.picture.height());
    if (!(em >= 1 && (measuring ? std::isfinite(em) : em <= largest)) || !std::isfinite(origin.x())
        || !std::isfinite(origin.y()))
        return;
    const double metricsScale = measuring && em > largestMeasuredEm ? em / largestMeasuredEm : 1.0;
    // The baseline's direction in the picture, and the angle the glyphs are
    // drawn at (in tenths of a degree, for the glyphs Qt keeps).
    const QPointF along = baselineDirection(t, dc.font.escapement);
    const double degrees = pictureDegrees(along);
    if (!std::isfinite(degrees))
        return;
    QFont font = drawn->font;
    font.setPixelSize(std::max(1, int(std::lround(em / metricsScale))));
    const SizedFont& sized = sizedFont(font);
    // Measuring renders no glyph: only the font at its size is asked for.
    if (!spend(newGlyphs(sized, int(std::lround(degrees * 10)), measuring ? QString() : text)))
        return;
    font = sized.font;
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent() * metricsScale, descent = metrics.descent() * metricsScale;

    // Where each character starts along the baseline, in pixels: a logical
    // unit along the baseline is the length of its direction in the picture.
    const double alongScale = std::hypot(along.x(), along.y());
    const CharacterPlaces places =
        placeCharacters(metrics, text, advances, alongScale / metricsScale, dc.charExtra * alongScale / metricsScale);
    const std::vector<double>& starts = places.starts; // drawn: metricsScale is 1
    const double width = places.width * metricsScale;
    // The horizontal bits: left (none), right, or centre (both); the vertical:
    // top (none), bottom, or baseline (both).
    const quint32 horizontal = dc.textAlign & U_TA_CENTER, vertical = dc.textAlign & U_TA_BASELINE;
    const double x0 = horizontal == U_TA_CENTER ? -width / 2 : horizontal == U_TA_RIGHT ? -width : 0.0;
    const double baseline = vertical == U_TA_BASELINE ? 0.0 : vertical == U_TA_BOTTOM ? -descent : ascent;
    const QRectF ink(x0, baseline - ascent, width, ascent + descent);
    // The glyphs stand upright on the baseline, never mirrored, whatever the
    // mapping's mirroring, as GDI draws them.
    QTransform frame;
    frame.translate(origin.x(), origin.y());
    frame.rotate(degrees);

    // The clip to the box and the background behind the characters (or
    // their lines) are fills, counted as such; the opaque box was counted
    // as the fill it is (fillOpaqueBox).
    const bool clipped = box && (options & U_ETO_CLIPPED);
    const QPolygonF area = clipped ? t.map(QPolygonF(box->normalized())) : QPolygonF();
    double fills = 0;
    if (clipped)
        fills += budget_.fill({area}, clip, 0);
    if (dc.opaque || font.underline() || font.strikeOut())
        fills += budget_.fill({frame.map(QPolygonF(ink))}, clip);
    if (!spend(fills))
        return;
    widenDrawnBox(frame.mapRect(ink));
    if (updateCp)
        dc.position = t.inverted().map(frame.map(QPointF(x0 + width, 0)));
    if (!painter_)
        return;

    applyClip();
    painter_->save();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (clipped) {
        QPainterPath clipPath;
        clipPath.addPolygon(area);
        painter_->setClipPath(clipPath, dc.clip ? Qt::IntersectClip : Qt::ReplaceClip);
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
