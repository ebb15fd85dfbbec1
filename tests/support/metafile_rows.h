// Rows of the metafile player's record tables: a small metafile of 100 x 100
// pixels built from records (metafile_records.h), and what its picture
// must show, worked out by hand from what the records say: a pixel's exact
// colour, ink somewhere in a box, no ink in a box, or a colour somewhere in
// a box (for text, whose edges are antialiased).
#pragma once

#include "platform/metafile/metafile.h"

#include "tests/support/metafile_records.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

namespace kv::test {

// One logical unit a pixel: the placeable box 0..100 at 96 units an inch.
inline QByteArray wmf100(const QByteArray& records, int objects = 8)
{
    return wmf::placeableHeader(0, 0, 100, 100, 96) + wmf::metafile(records, objects);
}

// A reference device of 96 dots an inch, a frame of 26.45 mm: one logical
// unit a pixel while no mapping is set.
inline QByteArray emf100(const QByteArray& records)
{
    return emf::metafile(records, QRect(0, 0, 100, 100), QRect(0, 0, 2646, 2646), QSize(960, 960), QSize(254, 254), 8);
}

// A null pen and a solid brush of colour: slots 0 and 1 of a WMF's object
// table.
inline QByteArray wmfFill(quint32 colour)
{
    return wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0) + wmf::createBrushIndirect(gdi::bsSolid, colour)
           + wmf::selectObject(1);
}

// The null stock pen and a solid brush of colour at index 1 of an EMF's table.
inline QByteArray emfFill(quint32 colour)
{
    return emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, colour) + emf::selectObject(1);
}

constexpr QRgb white = 0xFFFFFF, black = 0x000000, red = 0xFF0000, blue = 0x0000FF, yellow = 0xFFFF00;

struct Expect {
    enum Kind { Colour, Ink, Blank, Holds } kind;
    QRect box;
    QRgb colour = 0;
};
// The pixel at x, y is exactly this colour.
inline Expect at(int x, int y, QRgb colour) { return {Expect::Colour, QRect(x, y, 1, 1), colour}; }
// Boxes from left, top to right, bottom, all inclusive: some pixel not white,
// every pixel white, some pixel exactly this colour.
inline Expect ink(int l, int t, int r, int b) { return {Expect::Ink, QRect(QPoint(l, t), QPoint(r, b))}; }
inline Expect blank(int l, int t, int r, int b) { return {Expect::Blank, QRect(QPoint(l, t), QPoint(r, b))}; }
inline Expect holds(int l, int t, int r, int b, QRgb colour)
{
    return {Expect::Holds, QRect(QPoint(l, t), QPoint(r, b)), colour};
}

struct Row {
    const char* name;
    QByteArray file;
    std::vector<Expect> expects;
};

inline int pixelsIn(const QImage& image, const QRect& box, bool (*match)(QRgb, QRgb), QRgb colour)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += match(image.pixel(x, y) & 0xFFFFFF, colour) ? 1 : 0;
    return n;
}

// The pixels in the box (clipped to the picture) that are not white.
inline int inkIn(const QImage& image, const QRect& box)
{
    const QRect inside = box.intersected(image.rect());
    return pixelsIn(image, inside, [](QRgb a, QRgb) { return a != white; }, 0);
}

inline void expectRow(const Row& row)
{
    SCOPED_TRACE(row.name);
    const MetafileRead read = renderMetafile(row.file);
    ASSERT_EQ(read.fault, MetafileFault::None);
    ASSERT_EQ(read.image.size(), QSize(100, 100));
    const auto same = [](QRgb a, QRgb b) { return a == b; };
    const auto notWhite = [](QRgb a, QRgb) { return a != white; };
    for (const Expect& e : row.expects) {
        const QRect& b = e.box;
        const std::string where = std::to_string(b.left()) + ", " + std::to_string(b.top()) + " to " +
                                  std::to_string(b.right()) + ", " + std::to_string(b.bottom());
        switch (e.kind) {
        case Expect::Colour:
            EXPECT_EQ(read.image.pixel(b.topLeft()) & 0xFFFFFF, e.colour) << "pixel " << where;
            break;
        case Expect::Ink: EXPECT_GT(pixelsIn(read.image, b, notWhite, 0), 0) << "no ink in " << where; break;
        case Expect::Blank: EXPECT_EQ(pixelsIn(read.image, b, notWhite, 0), 0) << "ink in " << where; break;
        case Expect::Holds:
            EXPECT_GT(pixelsIn(read.image, b, same, e.colour), 0) << std::hex << e.colour << " nowhere in " << where;
            break;
        }
    }
}

} // namespace kv::test
