// Windows metafiles (WMF, with or without its placeable header, and EMF) as
// pictures: played record by record onto a painter, at their own size at 96
// dots an inch on white, so a picture box shows them at the size they were
// made for; a picture larger than the largest one is scaled down to fit.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>

namespace kv {

enum class MetafileKind { None, Wmf, Emf };

// Tells a metafile by its first bytes, whatever the file is called.
MetafileKind metafileKind(const QByteArray& bytes);

// The largest side of a picture: a metafile whose frame is larger (a chart
// laid out on a page of metres, a damaged header's absurd size) is drawn
// scaled down to fit, as it is to fit the image readers' allocation limit.
constexpr int maxMetafileSide = 10000;

enum class MetafileFault {
    None,
    Damaged,    // cut short or damaged, or no size
    TooCostly,  // so many or such shapes that drawing them would hold the program up
    TooLarge,   // the picture could not be allocated
    Unfit,      // the caller's size check refused its size; it was not drawn
    Unreadable, // its drawing lies only in records this system does not draw (EMF+, glyph indices)
};

struct MetafileRead {
    QImage image; // null unless fault is None
    MetafileFault fault = MetafileFault::None;
};

// The drawn picture. The cost of each drawing call is counted before it is
// made, and a metafile whose calls add up past the drawing budget is refused. fits, when given, is asked about the
// picture's size before it is drawn. Qt draws text only in a GUI application:
// without one nothing is drawn (Damaged).
MetafileRead renderMetafile(const QByteArray& bytes, const std::function<bool(QSize)>& fits = {});

} // namespace kv
