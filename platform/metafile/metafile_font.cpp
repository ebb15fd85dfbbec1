#include "platform/metafile/metafile_font.h"

#include "platform/metafile/metafile_player.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace kv::metafile {
namespace {

// Symbol fonts are drawn with this font: it has the Greek letters,
// mathematical signs, arrows and dingbats their codes stand for (Debian's
// fonts-symbola). Where it is missing Qt falls back, character by
// character, to a font that has them.
const QString symbolFace = QStringLiteral("Symbola");

// Metrics are read at this size and scaled.
constexpr int probePixels = 100;

// GDI's default height, when the font gives none: about 12 points.
constexpr double defaultEmPixels = 16;

// Qt's widest and narrowest stretch, in percent.
constexpr int minStretch = 1, maxStretch = 4000;

// The average character width in the way TrueType fonts of GDI's time
// state it: the lowercase letters and the space, each weighted by how often
// it occurs in English text (per thousand).
double averageCharacterWidth(const QFontMetricsF& m)
{
    constexpr std::array<int, 26> letterWeights{64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20,
                                                56, 56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2};
    constexpr int spaceWeight = 166;
    double sum = spaceWeight * m.horizontalAdvance(QLatin1Char(' '));
    for (int i = 0; i < 26; ++i)
        sum += letterWeights[std::size_t(i)] * m.horizontalAdvance(QLatin1Char(char('a' + i)));
    return sum / 1000;
}

// The ascent and descent of the font drawing character c, which probe (at
// the probe size) lacks: the font Qt falls back to for it.
double fallbackCell(const QFont& probe, char32_t c)
{
    QTextLayout layout(QString::fromUcs4(&c, 1), probe);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (!runs.isEmpty()) {
        const QRawFont drawn = runs.front().rawFont();
        if (drawn.isValid() && drawn.ascent() + drawn.descent() > 0)
            return drawn.ascent() + drawn.descent();
    }
    const QFontMetricsF metrics(probe);
    return metrics.ascent() + metrics.descent();
}

bool namesFace(const QString& face, QLatin1StringView name)
{
    return face.trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

SymbolFont symbolFontOf(const FontSpec& font)
{
    if (font.charSet != U_DEFAULT_CHARSET && font.charSet != U_SYMBOL_CHARSET)
        return SymbolFont::None;
    if (namesFace(font.face, QLatin1StringView("Symbol")))
        return SymbolFont::Symbol;
    if (namesFace(font.face, QLatin1StringView("Wingdings")))
        return SymbolFont::Wingdings;
    if (namesFace(font.face, QLatin1StringView("MT Extra")))
        return SymbolFont::MtExtra;
    return SymbolFont::None;
}

QString fontText(QByteArrayView bytes, const FontSpec& font)
{
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    const SymbolFont symbols = symbolFontOf(font);
    if (symbols == SymbolFont::None)
        return decodeText(bytes, font.charSet);
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text += QChar(symbolCharacter(symbols, quint8(b)));
    return text;
}

QString fontText(const QString& utf16, const FontSpec& font)
{
    const SymbolFont symbols = symbolFontOf(font);
    if (symbols == SymbolFont::None)
        return utf16;
    QString text = utf16;
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u <= 0xFF || (u >= 0xF020 && u <= 0xF0FF))
            c = QChar(symbolCharacter(symbols, quint8(u & 0xFF)));
    }
    return text;
}

// The ascent and descent of the font that draws text, at the probe size:
// the face's own, or, when the face lacks one of its characters, those of
// the font Qt draws the first such character with.
std::optional<double> DrawnFonts::cellOf(Face& face, const QString& text, Budget& budget)
{
    const QFontMetricsF metrics(face.probe);
    for (const char32_t c : text.toUcs4()) {
        if (metrics.inFontUcs4(c))
            continue;
        if (const auto found = face.fallbackCells.constFind(c); found != face.fallbackCells.cend())
            return *found;
        if (!budget.spend(fontLookupWork))
            return std::nullopt;
        return *face.fallbackCells.insert(c, fallbackCell(face.probe, c));
    }
    if (!face.cell)
        face.cell = metrics.ascent() + metrics.descent();
    return *face.cell;
}

std::optional<DrawnFont> DrawnFonts::drawnFont(const FontSpec& spec, const QString& text, double heightPixels,
                                               double widthPixels, Budget& budget)
{
    DrawnFont drawn;
    const bool symbols = symbolFontOf(spec) != SymbolFont::None;
    QFont& font = drawn.font;
    font.setFamily(symbols ? symbolFace : spec.face.isEmpty() ? QStringLiteral("sans-serif") : spec.face);
    font.setWeight(QFont::Weight(std::clamp(spec.weight == U_FW_DONTCARE ? U_FW_NORMAL : spec.weight, 100, 900)));
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);

    auto found = faces_.find(font);
    if (found == faces_.end()) {
        if (!budget.spend(fontLookupWork))
            return std::nullopt;
        Face face{font, {}, {}, {}};
        face.probe.setPixelSize(probePixels);
        found = faces_.insert(font, face);
    }
    Face& face = *found;
    if (spec.height == 0) {
        drawn.em = defaultEmPixels;
    } else if (spec.height < 0) {
        drawn.em = heightPixels;
    } else {
        const std::optional<double> cell = cellOf(face, text, budget);
        if (!cell)
            return std::nullopt;
        drawn.em = *cell > 0 ? heightPixels * probePixels / *cell : heightPixels;
    }
    if (widthPixels > 0 && drawn.em > 0) {
        // Qt stretches a font relative to its normal width, which need not
        // be the face's own: both measured at 100.
        if (!face.average) {
            QFont probe = face.probe;
            probe.setStretch(100);
            face.average = averageCharacterWidth(QFontMetricsF(probe));
        }
        const double average = *face.average * drawn.em / probePixels;
        if (average > 0) {
            const int stretch = int(std::lround(std::clamp(100 * widthPixels / average, double(minStretch), double(maxStretch))));
            font.setStretch(stretch);
            drawn.widthScale = stretch / 100.0;
        }
    }
    return drawn;
}

CharacterPlaces placeCharacters(const QFontMetricsF& metrics, const QString& text, const std::vector<double>& advances,
                                double scale, double extraPixels)
{
    CharacterPlaces places;
    if (advances.empty() && extraPixels == 0) {
        places.width = metrics.horizontalAdvance(text);
        return places;
    }
    // One start for each UTF-16 unit; a pair's second unit starts where its
    // first does and moves nothing.
    const std::size_t count = advances.empty() ? std::size_t(text.size()) : std::min(advances.size(), std::size_t(text.size()));
    places.starts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        places.starts.push_back(places.width);
        const QChar c = text.at(qsizetype(i));
        if (!advances.empty()) {
            places.width += advances[i] * scale + (c.isLowSurrogate() ? 0.0 : extraPixels);
        } else if (!c.isLowSurrogate()) {
            const qsizetype units = c.isHighSurrogate() && qsizetype(i) + 1 < text.size() ? 2 : 1;
            places.width += metrics.horizontalAdvance(text.mid(qsizetype(i), units)) + extraPixels;
        }
    }
    return places;
}

} // namespace kv::metafile
