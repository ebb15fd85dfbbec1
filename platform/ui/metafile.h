// Windows metafiles (WMF, with or without its placeable header, and EMF) as
// pictures: drawn at their own size at 96 dots an inch on white, so a picture
// box shows them at the size they were made for. WMF goes through libwmf's SVG
// device, EMF through libemf2svg, and the SVG through Qt's renderer.
#pragma once

#include <QByteArray>
#include <QImage>

namespace kv {

enum class MetafileKind { None, Wmf, Emf };

// Tells a metafile by its first bytes, whatever the file is called.
MetafileKind metafileKind(const QByteArray& bytes);

// Larger sides are refused: no picture of a grain or a fold needs them, and a
// damaged header claims absurd sizes.
constexpr int maxMetafileSide = 10000;

// The drawn picture, or a null image when the metafile is damaged or cut short,
// has no size or a side beyond maxMetafileSide, or a converter refuses it.
// Qt draws text only in a GUI application: without one nothing is drawn.
QImage renderMetafile(const QByteArray& bytes);

} // namespace kv
