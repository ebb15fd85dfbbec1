// Picture files the picture tools load: BMP, JPEG, GIF, PNG and the other
// formats this system's image readers know, and Windows metafiles (WMF and
// EMF), drawn at their own size.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace kv {

// Pictures up to this many MiB of pixels load (a 100-megapixel photo takes
// 400 MiB); a header claiming more is refused before anything is allocated.
constexpr int pictureMemoryLimitMiB = 512;
// With what the decoder holds besides the pixels: a progressive JPEG keeps
// its coefficients, up to twice its pixels' memory, until its last scan.
constexpr int decodingMemoryLimitMiB = 1024;

enum class PictureFault {
    None,
    CannotOpen,  // missing, not a regular file, no permission
    NotAPicture, // no reader knows it
    Damaged,     // a known kind, but damaged or cut short
    TooLarge,    // claims more pixels than pictureMemoryLimitMiB holds
    TooCostly,   // a metafile whose drawing would cost too much (its drawing calls add up past the budget)
    TooCostlyToDecode, // its decoder's work counted from its structure is too much: a JPEG's scans or kept segments,
                       // a GIF's coded pixels, a PNG's compressed texts
    Unreadable,  // a metafile whose drawing lies only in records this system does not draw (EMF+, glyph indices)
    Unfit,       // the caller's size check refused it; the caller tells the user
};

struct PictureRead {
    QImage image; // null unless fault is None
    PictureFault fault = PictureFault::None;
};

// fits, when given, is asked about the picture's size as soon as it is known,
// before the picture is decoded or drawn; false gives Unfit.
PictureRead readPictureFile(const QString& path, const std::function<bool(QSize)>& fits = {});

// The open dialog's filter of the picture tools.
QString pictureOpenFilter();

// What to tell the user when a picture can't be loaded; empty for Unfit.
QString pictureFaultMessage(PictureFault fault);

} // namespace kv
