// Windows metafiles (WMF, with or without its placeable header, and EMF) as
// pictures: played record by record onto a painter, at their own size at 96
// dots an inch on white, so a picture box shows them at the size they were
// made for.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>

namespace kv {

enum class MetafileKind { None, Wmf, Emf };

// Tells a metafile by its first bytes, whatever the file is called.
MetafileKind metafileKind(const QByteArray& bytes);

// Larger sides are refused: no picture of a grain or a fold needs them, and a
// damaged header claims absurd sizes.
constexpr int maxMetafileSide = 10000;

enum class MetafileFault {
    None,
    Damaged,   // cut short or damaged, or no size
    TooCostly, // so many or such shapes that drawing them would hold the program up
    TooLarge,  // a side beyond maxMetafileSide, or more pixels than the image readers would allocate
    Unfit,     // the caller's size check refused its size; it was not drawn
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
