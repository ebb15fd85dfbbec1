// Palettes: the colours that PALETTEINDEX colours (0x01nnnnnn) and the
// colour tables of DIB_PAL_COLORS bitmaps pick by index. A colour is taken
// from the palette selected when its record is played: pens, brushes and
// the text and background colours when they are made, a bitmap's colour
// table when it is drawn.
#include "platform/metafile/metafile_player.h"

#include <algorithm>

namespace kv::metafile {
namespace {

// GDI's default palette: the twenty colours every device has, which a
// PALETTEINDEX colour picks from when the metafile selects no palette.
const std::vector<QRgb>& defaultPalette()
{
    static const std::vector<QRgb> colours{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),   qRgb(0, 0, 128),
        qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192), qRgb(192, 220, 192), qRgb(166, 202, 240),
        qRgb(255, 251, 240), qRgb(160, 160, 164), qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),
        qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};
    return colours;
}

// A palette never holds more entries than a 16-bit index reaches.
constexpr std::size_t maxPaletteEntries = 65536;

} // namespace

std::vector<QRgb> paletteEntriesAt(const Record& r, qint64 at, qint64 count)
{
    std::vector<QRgb> colours;
    if (!r.has(at, count * 4))
        return colours;
    colours.reserve(std::size_t(count));
    for (qint64 i = 0, e = at; i < count; ++i, e += 4)
        colours.push_back(qRgb(r.get<quint8>(e), r.get<quint8>(e + 1), r.get<quint8>(e + 2)));
    return colours;
}

const std::vector<QRgb>& Canvas::paletteColours() const
{
    const auto* selected = dc.palette ? std::get_if<PaletteSpec>(object(*dc.palette)) : nullptr;
    return selected && !selected->colours.empty() ? selected->colours : defaultPalette();
}

QColor Canvas::colour(quint32 colorRef) const
{
    if (colorRef >> 24 != 0x01)
        return colourRef(colorRef);
    // An index past the palette's end takes its first entry.
    const std::vector<QRgb>& palette = paletteColours();
    const std::size_t index = colorRef & 0xFFFF;
    return QColor(palette[index < palette.size() ? index : 0]);
}

void Canvas::selectPalette(std::size_t slot)
{
    if (const GdiObject* o = object(slot); o && std::holds_alternative<PaletteSpec>(*o))
        dc.palette = slot;
}

void Canvas::setPaletteEntries(std::size_t slot, std::size_t first, const std::vector<QRgb>& colours)
{
    auto* palette = slot < objects_.size() ? std::get_if<PaletteSpec>(&objects_[slot]) : nullptr;
    if (!palette || first >= palette->colours.size())
        return;
    const std::size_t count = std::min(colours.size(), palette->colours.size() - first);
    std::copy_n(colours.begin(), count, palette->colours.begin() + std::ptrdiff_t(first));
}

void Canvas::resizePalette(std::size_t slot, std::size_t entries)
{
    auto* palette = slot < objects_.size() ? std::get_if<PaletteSpec>(&objects_[slot]) : nullptr;
    if (palette && entries >= 1 && entries <= maxPaletteEntries)
        palette->colours.resize(entries, qRgb(0, 0, 0));
}

} // namespace kv::metafile
