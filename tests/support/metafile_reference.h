// An independent rasterisation of a corpus file (metafile_corpus.h): its
// drawing's shapes painted by a plain QPainter, antialiasing off, with no
// record read; and how far a reader's picture of the file is from it.
#pragma once

#include "tests/support/metafile_corpus.h"

#include <QFont>
#include <QPainter>

#include <cstdlib>
#include <type_traits>

namespace kv::test {

inline void paintDrawn(QPainter& painter, const DrawnPath& d)
{
    painter.save();
    if (!d.clip.isNull())
        painter.setClipRect(d.clip);
    painter.setPen(d.pen.isValid()
                       ? QPen(d.pen, d.penWidth > 1 ? d.penWidth : 0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                       : QPen(Qt::NoPen));
    painter.setBrush(d.brush.isValid() ? QBrush(d.brush) : QBrush(Qt::NoBrush));
    painter.drawPath(d.path);
    painter.restore();
}

// Character by character, each at its advance along the baseline.
inline void paintDrawn(QPainter& painter, const DrawnText& t)
{
    QFont font(t.face);
    font.setPixelSize(qRound(t.em));
    painter.save();
    painter.setTransform(t.placing());
    painter.setFont(font);
    painter.setPen(t.colour);
    double x = 0;
    for (qsizetype i = 0; i < t.text.size(); ++i) {
        painter.drawText(QPointF(x, 0), t.text.mid(i, 1));
        x += t.advances.value(i);
    }
    painter.restore();
}

inline void paintDrawn(QPainter& painter, const DrawnImage& i) { painter.drawImage(i.target, i.image); }

// The drawing on white; withText false leaves the labels out (what lies
// under them).
inline QImage referencePicture(const Drawing& drawing, bool withText = true)
{
    QImage out(drawing.size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    for (const Drawn& item : drawing.items)
        std::visit(
            [&](const auto& d) {
                if (withText || !std::is_same_v<std::decay_t<decltype(d)>, DrawnText>)
                    paintDrawn(painter, d);
            },
            item);
    return out;
}

struct PictureComparison {
    qint64 compared = 0;  // pixels outside every label's box
    qint64 inked = 0;     // of those, ones not white in one picture or the other
    qint64 differing = 0; // of those, ones whose colour the other picture has nowhere within a pixel of them
    int labels = 0;
    int labelsAlike = 0; // labels whose box holds about as much ink in both, some of it in the label's colour
    double differingShare() const { return compared ? double(differing) / double(compared) : 0.0; }
    double differingInkShare() const { return inked ? double(differing) / double(inked) : 0.0; }
};

inline bool sameColour(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Whether the picture has colour c at (x, y) or at one of its eight neighbours:
// edges may fall a pixel either way.
inline bool colourWithinAPixel(const QImage& picture, int x, int y, QRgb c)
{
    for (int v = std::max(0, y - 1); v <= std::min(picture.height() - 1, y + 1); ++v)
        for (int u = std::max(0, x - 1); u <= std::min(picture.width() - 1, x + 1); ++u)
            if (sameColour(picture.pixel(u, v), c, 2))
                return true;
    return false;
}

// Pixels in the box that differ from what lies under the labels, and
// whether one of them has the colour.
inline std::pair<qint64, bool> inkIn(const QImage& picture, const QImage& under, const QRect& box, QRgb colour)
{
    qint64 ink = 0;
    bool coloured = false;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (!sameColour(picture.pixel(x, y), under.pixel(x, y), 24)) {
                ++ink;
                coloured = coloured || sameColour(picture.pixel(x, y), colour, 16);
            }
    return {ink, coloured};
}

// The drawn picture against the drawing's reference: shapes pixel by pixel,
// a pixel's colour allowed a pixel away, and labels, whose glyphs depend on
// the font, by the ink inside their boxes. difference, when given, gets the
// reference faded, differing pixels red, and alike labels' boxes green, others
// magenta. A picture of another size differs everywhere.
inline PictureComparison compareWithReference(const QImage& drawn, const Drawing& drawing, QImage* difference = nullptr)
{
    const QImage reference = referencePicture(drawing), under = referencePicture(drawing, false);
    const QImage picture = drawn.convertToFormat(QImage::Format_RGB32);
    PictureComparison result;
    QList<QRect> boxes;
    for (const Drawn& item : drawing.items)
        if (const auto* text = std::get_if<DrawnText>(&item))
            boxes << text->box().toAlignedRect().intersected(reference.rect());
    if (picture.size() != reference.size()) {
        result.compared = result.inked = result.differing = qint64(reference.width()) * reference.height();
        result.labels = int(boxes.size());
        return result;
    }
    QImage marked(reference.size(), QImage::Format_RGB32);
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb r = reference.pixel(x, y), p = picture.pixel(x, y);
            marked.setPixel(x, y, qRgb(191 + qRed(r) / 4, 191 + qGreen(r) / 4, 191 + qBlue(r) / 4));
            if (std::any_of(boxes.begin(), boxes.end(), [x, y](const QRect& b) { return b.contains(x, y); }))
                continue;
            ++result.compared;
            result.inked += (r & 0xFFFFFF) != 0xFFFFFF || (p & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
            if (!colourWithinAPixel(reference, x, y, p) || !colourWithinAPixel(picture, x, y, r)) {
                ++result.differing;
                marked.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    QPainter painter(&marked);
    qsizetype box = 0;
    for (const Drawn& item : drawing.items)
        if (const auto* text = std::get_if<DrawnText>(&item)) {
            const QRect b = boxes[box++];
            const auto [drawnInk, coloured] = inkIn(picture, under, b, text->colour.rgb());
            const qint64 referenceInk = inkIn(reference, under, b, text->colour.rgb()).first;
            const bool alike = coloured && drawnInk * 2 >= referenceInk && drawnInk <= referenceInk * 2;
            ++result.labels;
            result.labelsAlike += alike ? 1 : 0;
            painter.setPen(alike ? Qt::green : Qt::magenta);
            painter.drawRect(b);
        }
    painter.end();
    if (difference)
        *difference = marked;
    return result;
}

} // namespace kv::test
