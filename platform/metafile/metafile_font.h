// How a metafile's font is drawn with the fonts of this machine: the text's
// characters (a symbol font's codes as the Unicode characters they stand
// for), the face, the size of the character from the metafile's height and
// its width from the metafile's average character width, and where each
// character goes along the baseline.
#pragma once

#include "platform/metafile/metafile_canvas.h"

#include <QByteArrayView>
#include <QFont>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class QFontMetricsF;

namespace kv::metafile {

// The symbol fonts whose codes are mapped to Unicode. A font is one when its
// face names it and its character set is the default or the symbol one (in
// another character set GDI draws a text font of that set instead).
enum class SymbolFont { None, Symbol, Wingdings, MtExtra };
SymbolFont symbolFontOf(const FontSpec& font);

// The Unicode character a symbol font's code (0x20 to 0xFF) stands for; a
// space for a code the font leaves empty or whose sign Unicode has only
// beyond its basic plane.
char16_t symbolCharacter(SymbolFont font, quint8 code);

// A text record's bytes in the font: a symbol font's codes as the characters
// they stand for, one a byte; other fonts' bytes in the code page of their
// character set (decodeText). Zero bytes ending the text are not drawn.
QString fontText(QByteArrayView bytes, const FontSpec& font);
// UTF-16 text (EMF's ExtTextOutW) in the font: a symbol font's codes, as
// written either plainly (0x20 to 0xFF) or in the private use area (U+F020
// to U+F0FF), mapped likewise.
QString fontText(const QString& utf16, const FontSpec& font);

struct DrawnFont {
    QFont font;         // face, weight, slant, lines and width; no size yet
    double em = 0;      // the character's height in pixels
    double widthScale = 1; // how much wider than its own the font is drawn
};

// The fonts text is drawn with, each face looked up and measured once. The
// first time a face is asked for, and the first time a character it lacks
// sends it to a fallback font, Qt looks fonts up through the system's fonts
// and their fallbacks: each such lookup is counted in the budget before it
// is made (metafile_cost.h: fontLookupWork).
class DrawnFonts {
public:
    // The font that draws text in the metafile's font at heightPixels and
    // widthPixels, the font's height and width (their absolute values) in
    // pixels; none when the budget refuses a lookup. A positive height is
    // the cell's, ascent and descent together, of the font that draws the
    // text (for characters the face lacks, the font Qt falls back to); a
    // width is the average character width, drawn by stretching the font
    // from its own average.
    std::optional<DrawnFont> drawnFont(const FontSpec& spec, const QString& text, double heightPixels, double widthPixels,
                                       Budget& budget);

private:
    // A face at the size its metrics are read at, and what was read.
    struct Face {
        QFont probe;
        std::optional<double> cell, average;
        QHash<char32_t, double> fallbackCells; // a character the face lacks: the cell of the font drawing it
    };
    // None when the budget refuses a font lookup.
    std::optional<double> cellOf(Face& face, const QString& text, Budget& budget);

    QHash<QFont, Face> faces_;
};

// Where each character of text starts along the baseline, in pixels from the
// first, and the text's width. advances (logical units, scale pixels to the
// unit) place each character when given; extraPixels is added to each
// character's advance. With neither, starts is empty and the text is drawn
// whole, as the font spaces it.
struct CharacterPlaces {
    std::vector<double> starts;
    double width = 0;
};
CharacterPlaces placeCharacters(const QFontMetricsF& metrics, const QString& text, const std::vector<double>& advances,
                                double scale, double extraPixels);

} // namespace kv::metafile
