// The metafiles a geologist has, built from records (metafile_records.h) by
// functions taking the few numbers that size them, for the metafile reader's
// tests, benchmarks, fuzz seeds and measurements; the hostile ones are in
// hostile_metafiles.h. Every file is the same on every run: its variety comes
// from a fixed pseudo-random sequence. Each comes with its drawing in the
// picture's pixels as plain shapes, so that a plain QPainter draws it again
// without reading a record (metafile_reference.h): the picture a reader draws
// is compared with that independent rasterisation of the same records.
#pragma once

#include "platform/text/text_file.h"
#include "tests/support/metafile_records.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace kv::test {

// ---- What a file draws, in the picture's pixels ----------------------------

struct DrawnPath {
    QPainterPath path;   // with the file's fill rule
    QColor pen;          // invalid: no outline
    double penWidth = 0; // up to 1: one pixel; wider pens have round ends and joins
    QColor brush;        // invalid: not filled (a polyline never is)
    QRectF clip;         // null: none
};

struct DrawnText {
    QPointF baseline; // where the first character's baseline starts
    QString text;
    QList<double> advances; // from each character to the next
    double em = 0;
    QString face;
    QColor colour;
    double degrees = 0; // the baseline's direction, anticlockwise on the page
    // Turns the text's own frame (x along its baseline from its start, y down
    // across it) onto the page.
    QTransform placing() const
    {
        QTransform t;
        t.translate(baseline.x(), baseline.y());
        t.rotate(-degrees);
        return t;
    }
    // Where its ink lies whatever font draws it: from an em above the
    // baseline to a third of one below, and a quarter of an em around.
    QRectF box() const
    {
        double width = 0;
        for (double a : advances)
            width += a;
        return placing().mapRect(QRectF(0, -em, width, em * 4 / 3).adjusted(-em / 4, -em / 4, em / 4, em / 4));
    }
};

struct DrawnImage {
    QRectF target;
    QImage image;
};

using Drawn = std::variant<DrawnPath, DrawnText, DrawnImage>;

struct Drawing {
    QSize size;               // on white
    std::vector<Drawn> items; // in the order they are drawn
};

struct CorpusFile {
    QString name; // with its kind's extension
    QByteArray bytes;
    std::optional<Drawing> drawing; // none for a hostile file
};

// ---- Shared making ----------------------------------------------------------

// A fixed pseudo-random sequence (a 64-bit linear congruential generator),
// the same on every machine and library.
class Sequence {
public:
    explicit Sequence(quint64 seed)
        : state_(seed)
    {
    }
    double uniform()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(state_ >> 11) * (1.0 / 9007199254740992.0);
    }
    double between(double low, double high) { return low + (high - low) * uniform(); }
    int below(int n) { return int(uniform() * n); }
    quint32 colour(int low, int high)
    {
        return colorRef(int(between(low, high)), int(between(low, high)), int(between(low, high)));
    }

private:
    quint64 state_;
};

inline QColor colourOf(quint32 ref) { return QColor(ref & 0xFF, ref >> 8 & 0xFF, ref >> 16 & 0xFF); }

// Logical units of the file and the picture's pixels: shapes are made in
// pixels, written in logical units and drawn from those units, so the
// drawing holds exactly what the records say.
struct Units {
    int perPixel = 1;
    QPoint origin; // the logical point at the picture's corner
    int ySign = 1; // -1: the logical y axis points up the picture
    QPoint logical(QPoint pixel) const
    {
        return QPoint(pixel.x() * perPixel + origin.x(), origin.y() + ySign * pixel.y() * perPixel);
    }
    QList<QPoint> logical(const QList<QPoint>& pixels) const
    {
        QList<QPoint> out;
        for (const QPoint& p : pixels)
            out << logical(p);
        return out;
    }
    QPointF pixel(QPoint logical) const
    {
        return QPointF(logical.x() - origin.x(), ySign * (logical.y() - origin.y())) / perPixel;
    }
    QPainterPath path(const QList<QList<QPoint>>& rings, bool closed, Qt::FillRule rule = Qt::OddEvenFill) const
    {
        QPainterPath out;
        out.setFillRule(rule);
        for (const QList<QPoint>& ring : rings) {
            out.moveTo(pixel(ring.front()));
            for (const QPoint& p : ring.mid(1))
                out.lineTo(pixel(p));
            if (closed)
                out.closeSubpath();
        }
        return out;
    }
};

inline DrawnPath stroke(const QPainterPath& path, quint32 pen, double width)
{
    return {path, colourOf(pen), width, QColor(), {}};
}

// GDI's rectangles and ellipses leave out their right and bottom edges.
inline QPainterPath boxPath(const QRect& pixels, bool ellipse)
{
    QPainterPath out;
    const QRectF box(pixels.topLeft(), QSizeF(pixels.width() - 1, pixels.height() - 1));
    ellipse ? out.addEllipse(box) : out.addRect(box);
    return out;
}

// A picture on a reference device of 96 dots an inch (1920 x 1440 pixels on
// 508 x 381 mm), so a device pixel is a picture pixel; sides that are
// multiples of 24 pixels have whole frames in hundredths of a millimetre.
inline QByteArray emfOf(QSize size, const QByteArray& records, int handles)
{
    const QRect bounds(QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1));
    const QRect frame(QPoint(0, 0), QPoint(size.width() * 2540 / 96, size.height() * 2540 / 96));
    return emf::metafile(records, bounds, frame, QSize(1920, 1440), QSize(508, 381), handles);
}

// Label advances: a Chinese character is an em wide, others six tenths.
inline QList<int> advancesOf(const QString& text, int em)
{
    QList<int> out;
    for (QChar c : text)
        out << (c.unicode() >= 0x2E80 ? em : em * 6 / 10);
    return out;
}

inline DrawnText label(QPointF baseline, const QString& text, const QList<int>& advances, const Units& units, int em,
                       const QString& face, quint32 colour, double degrees = 0)
{
    QList<double> pixels;
    for (int a : advances)
        pixels << double(a) / units.perPixel;
    return {baseline, text, pixels, double(em) / units.perPixel, face, colourOf(colour), degrees};
}

// ---- Records and their drawing side by side ---------------------------------

// Bytes of text in the code page of a font's character set.
inline QByteArray codePageBytes(const QString& text, int charset)
{
    if (charset != gdi::gb2312Charset)
        return text.toLatin1();
    return QByteArray::fromStdString(encodeCodePage(text.toStdString()).value_or(std::string()));
}

// A file being made: each call writes its records and adds what they draw,
// with the pen, brush, fill rule and clip the records have set. Positions
// are in pixels; every object takes a table entry of its own.
class Sketch {
public:
    enum class Kind { Wmf, Emf };
    Sketch(Kind kind, QSize size, Units units)
        : units(units)
        , drawing{size, {}}
        , kind_(kind)
    {
    }

    Units units;
    QByteArray records;
    Drawing drawing;
    int objects = 0; // table entries used

    void add(const QByteArray& r) { records += r; }
    void draw(const QPainterPath& pixels, bool closed)
    {
        drawing.items.push_back(DrawnPath{pixels, pen_, penWidth_, closed ? brush_ : QColor(), clip_});
    }
    // Up to one pixel: the plain pen record (EMF: a cosmetic pen); wider: an EMF's geometric pen.
    void pen(int widthPixels, quint32 colour)
    {
        const int width = widthPixels * units.perPixel;
        add(wmf()             ? wmf::createPenIndirect(gdi::psSolid, widthPixels > 1 ? width : 0, colour)
            : widthPixels > 1 ? emf::extCreatePen(objects + 1, width, colour)
                              : emf::createPen(objects + 1, gdi::psSolid, 0, colour));
        select();
        pen_ = colourOf(colour);
        penWidth_ = widthPixels;
    }
    void brush(quint32 colour)
    {
        add(wmf() ? wmf::createBrushIndirect(gdi::bsSolid, colour)
                  : emf::createBrushIndirect(objects + 1, gdi::bsSolid, colour));
        select();
        brush_ = colourOf(colour);
    }
    void fillRule(Qt::FillRule rule)
    {
        const int mode = rule == Qt::WindingFill ? gdi::winding : gdi::alternate;
        add(wmf() ? wmf::setPolyFillMode(mode) : emf::setPolyFillMode(mode));
        rule_ = rule;
    }
    void polyline(const QList<QPoint>& pixels)
    {
        const QList<QPoint> l = units.logical(pixels);
        add(wmf() ? wmf::polyline(l) : emf::polyline16(l));
        draw(units.path({l}, false), false);
    }
    void polygon(const QList<QList<QPoint>>& rings)
    {
        QList<QList<QPoint>> l;
        for (const QList<QPoint>& ring : rings)
            l << units.logical(ring);
        add(rings.size() == 1 ? (wmf() ? wmf::polygon(l[0]) : emf::polygon16(l[0]))
                              : (wmf() ? wmf::polyPolygon(l) : emf::polyPolygon16(l)));
        draw(units.path(l, true, rule_), true);
    }
    void box(const QRect& pixels, bool ellipse)
    {
        const QPoint a = units.logical(pixels.topLeft()),
                     b = units.logical(pixels.topLeft() + QPoint(pixels.width(), pixels.height()));
        add(ellipse
                ? (wmf() ? wmf::ellipse(a.x(), a.y(), b.x(), b.y()) : emf::ellipse(a.x(), a.y(), b.x(), b.y()))
                : (wmf() ? wmf::rectangle(a.x(), a.y(), b.x(), b.y()) : emf::rectangle(a.x(), a.y(), b.x(), b.y())));
        draw(boxPath(pixels, ellipse), true);
    }
    // Until unclip(): the DC saved, then clipped to the pixels' box.
    void clipTo(const QRect& pixels)
    {
        const QPoint a = units.logical(pixels.topLeft()),
                     b = units.logical(pixels.topLeft() + QPoint(pixels.width(), pixels.height()));
        add(wmf() ? wmf::saveDC() + wmf::intersectClipRect(a.x(), a.y(), b.x(), b.y())
                  : emf::saveDC() + emf::intersectClipRect(a.x(), a.y(), b.x(), b.y()));
        saved_ = {pen_, brush_, penWidth_};
        clip_ = QRectF(pixels);
    }
    void unclip()
    {
        add(wmf() ? wmf::restoreDC() : emf::restoreDC());
        std::tie(pen_, brush_, penWidth_) = saved_;
        clip_ = QRectF();
    }
    // Text from now on: transparent, placed by its baseline, in this font and
    // colour, at the escapement (tenths of a degree) whose direction on the
    // page, worked out by hand, is pageDegrees anticlockwise.
    void font(int emPixels, int charset, const QString& face, quint32 colour, int escapement = 0, double pageDegrees = 0)
    {
        const int height = -emPixels * units.perPixel;
        add(wmf() ? wmf::createFontIndirect(height, 400, charset, codePageBytes(face, charset), escapement)
                  : emf::extCreateFontIndirectW(objects + 1, height, 400, charset, face, escapement));
        select();
        add(wmf() ? wmf::setBkMode(gdi::transparent) + wmf::setTextAlign(gdi::taBaseline) + wmf::setTextColor(colour)
                  : emf::setBkMode(gdi::transparent) + emf::setTextAlign(gdi::taBaseline) + emf::setTextColor(colour));
        font_ = {emPixels, charset, face, colour, pageDegrees};
    }
    // With advances (EMF always), or without (WMF's plain text record: its
    // advances are the font's own, and the drawing's an estimate).
    void text(QPoint pixels, const QString& text, bool withAdvances = true)
    {
        const QPoint at = units.logical(pixels);
        const QList<int> advances = advancesOf(text, font_.em * units.perPixel);
        if (!wmf()) {
            add(emf::extTextOutW(at.x(), at.y(), text, advances));
        } else if (!withAdvances) {
            add(wmf::textOut(at.x(), at.y(), codePageBytes(text, font_.charset)));
        } else {
            QByteArray bytes;
            QList<int> perByte;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QByteArray one = codePageBytes(text.mid(i, 1), font_.charset);
                bytes += one;
                perByte << advances[i] << QList<int>(one.size() - 1, 0);
            }
            add(wmf::extTextOut(at.x(), at.y(), bytes, perByte));
        }
        drawing.items.push_back(label(QPointF(pixels), text, advances, units, font_.em * units.perPixel, font_.face,
                                      font_.colour, font_.degrees));
    }
    // An indexed picture as a WMF's 24-bit bitmap or an EMF's RLE8 one, one
    // bitmap pixel a picture pixel.
    void image(QPoint pixels, const QImage& picture)
    {
        const QPoint at = units.logical(pixels);
        const QRect target(at, picture.size() * units.perPixel);
        if (wmf()) {
            QList<quint32> rgb;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    rgb << (picture.pixel(x, y) & 0xFFFFFF);
            add(wmf::stretchDib(target, picture.width(), picture.height(),
                                dib::rgb24(picture.width(), picture.height(), rgb)));
        } else {
            QList<quint32> palette;
            for (QRgb c : picture.colorTable())
                palette << (c & 0xFFFFFF);
            QList<uchar> indices;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    indices << uchar(picture.pixelIndex(x, y));
            add(emf::stretchDIBits(target, picture.width(), picture.height(),
                                   dib::rle8(picture.width(), picture.height(), palette, indices)));
        }
        drawing.items.push_back(
            DrawnImage{QRectF(pixels, picture.size()), picture.convertToFormat(QImage::Format_RGB32)});
    }

private:
    bool wmf() const { return kind_ == Kind::Wmf; }
    void select()
    {
        ++objects;
        add(wmf() ? wmf::selectObject(objects - 1) : emf::selectObject(objects));
    }

    struct Font {
        int em = 0, charset = 0;
        QString face;
        quint32 colour = 0;
        double degrees = 0;
    };
    Kind kind_;
    QColor pen_, brush_;
    double penWidth_ = 0;
    Qt::FillRule rule_ = Qt::OddEvenFill;
    QRectF clip_;
    std::tuple<QColor, QColor, double> saved_;
    Font font_;
};

// A small picture of few colours, as a legend's swatch: diagonal stripes
// under a band of the first colour, so a picture upside down shows.
inline QImage swatch(QSize size, const QList<QRgb>& colours)
{
    QImage out(size, QImage::Format_Indexed8);
    out.setColorTable(colours);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            out.setPixel(x, y, y < 8 ? 0u : uint((x / 8 + y / 8) % colours.size()));
    return out;
}

// ---- Maps of coloured polylines ---------------------------------------------

struct MapLine {
    QList<QPoint> pixels;
    quint32 colour;
    int width; // pixels; 0 and 1 are both one pixel
};

// A contour-like line of 12 to 30 points: steps of 6 to 14 pixels that turn
// steadily one way with a wobble, as a contour bends round a hill.
inline MapLine mapLine(Sequence& s, QSize size)
{
    MapLine line{{}, s.colour(0, 200), std::max(0, s.below(7) - 3)};
    QPointF at(s.between(0, size.width()), s.between(0, size.height()));
    double heading = s.between(0, 6.2832);
    const double bend = s.between(-0.12, 0.12), step = s.between(6, 14);
    for (int n = 12 + s.below(19); line.pixels.size() < n;) {
        line.pixels << QPoint(std::clamp(qRound(at.x()), 0, size.width() - 1),
                              std::clamp(qRound(at.y()), 0, size.height() - 1));
        heading += bend + s.between(-0.1, 0.1);
        at += step * QPointF(std::cos(heading), std::sin(heading));
    }
    return line;
}

constexpr QSize mapSize(1920, 1440);

// A placeable map in twips (1440 to the inch, 15 a pixel): each line with a
// pen of its own, the previous one deleted once the new one is selected.
inline CorpusFile polylineMapWmf(int lines)
{
    const Units units{15, {}};
    Sequence s(7);
    Drawing drawing{mapSize, {}};
    QByteArray records = wmf::setWindowOrg(0, 0) + wmf::setWindowExt(mapSize.width() * 15, mapSize.height() * 15);
    for (int i = 0; i < lines; ++i) {
        const MapLine line = mapLine(s, mapSize);
        records += wmf::createPenIndirect(gdi::psSolid, line.width * 15, line.colour) + wmf::selectObject(i % 2);
        if (i > 0)
            records += wmf::deleteObject(1 - i % 2);
        records += wmf::polyline(units.logical(line.pixels));
        drawing.items.push_back(stroke(units.path({units.logical(line.pixels)}, false), line.colour, line.width));
    }
    const QByteArray placeable = wmf::placeableHeader(0, 0, mapSize.width() * 15, mapSize.height() * 15, 1440);
    return {QStringLiteral("map-%1-polylines.wmf").arg(lines), placeable + wmf::metafile(records, 2), drawing};
}

// The same kind of map in device pixels, with the plain pen record.
inline CorpusFile polylineMapEmf(int lines)
{
    const Units units{1, {}};
    Sequence s(7);
    Drawing drawing{mapSize, {}};
    QByteArray records;
    for (int i = 0; i < lines; ++i) {
        const MapLine line = mapLine(s, mapSize);
        records += emf::createPen(1 + i % 2, gdi::psSolid, line.width, line.colour) + emf::selectObject(1 + i % 2);
        if (i > 0)
            records += emf::deleteObject(2 - i % 2);
        records += emf::polyline16(line.pixels);
        drawing.items.push_back(stroke(units.path({line.pixels}, false), line.colour, line.width));
    }
    return {QStringLiteral("map-%1-polylines.emf").arg(lines), emfOf(mapSize, records, 3), drawing};
}

// ---- An outline of many points ----------------------------------------------

// A closed outline (a grain's or an outcrop's) of the given number of points
// round a wavy ring, one polyline in twentieths of a pixel: a reader that
// keeps only the first 32,768 points draws a third of it or less.
inline CorpusFile outlineEmf(int points)
{
    const QSize size(1200, 960);
    const Units units{20, {}};
    QList<QPoint> logical;
    for (int k = 0; k < points; ++k) {
        const double t = 6.283185307179586 * (k % (points - 1)) / (points - 1);
        const double r = 380 * (1 + 0.15 * std::sin(5 * t) + 0.06 * std::sin(17 * t) + 0.02 * std::sin(61 * t));
        logical << QPoint(qRound((600 + r * std::cos(t)) * 20), qRound((480 + r * std::sin(t)) * 20));
    }
    const quint32 ink = colorRef(20, 60, 120);
    const QByteArray records
        = emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(size.width() * 20, size.height() * 20)
          + emf::setViewportExtEx(size.width(), size.height()) + emf::createPen(1, gdi::psSolid, 0, ink)
          + emf::selectObject(1) + emf::polyline16(logical);
    Drawing drawing{size, {stroke(units.path({logical}, false), ink, 0)}};
    return {QStringLiteral("outline-%1-points.emf").arg(points), emfOf(size, records, 2), drawing};
}

// ---- Files that draw a little of everything ---------------------------------

// A five-pointed star drawn in one stroke: its middle is inside by the
// winding rule and outside by the alternate one.
inline QList<QPoint> star(QPoint centre, int radius)
{
    QList<QPoint> out;
    for (int k = 0; k < 5; ++k) {
        const double a = -1.5707963 + k * 2.5132741; // 144 degrees on
        out << centre + QPoint(qRound(radius * std::cos(a)), qRound(radius * std::sin(a)));
    }
    return out;
}

// A placeable WMF as a drawing program writes one: in twips from a corner
// that is not the origin; filled units with outlines; lines drawn while a
// brush is selected (never filled); a unit with a hole; a rectangle and an
// ellipse; a star by the winding rule; shapes cut by a clip rectangle;
// Chinese labels in the GB2312 code page, one placed by the font's own
// advances, one by the file's; a 24-bit bitmap.
inline CorpusFile placeableWmf()
{
    Sketch k(Sketch::Kind::Wmf, QSize(720, 480), Units{15, QPoint(-3000, -2000)});
    k.add(wmf::setWindowOrg(-3000, -2000) + wmf::setWindowExt(10800, 7200));
    k.brush(colorRef(203, 120, 57));
    k.pen(3, colorRef(60, 40, 20));
    k.polygon({{{20, 20}, {300, 40}, {340, 200}, {180, 260}, {30, 180}}});
    k.brush(colorRef(90, 140, 200));
    k.pen(1, colorRef(20, 40, 90));
    k.polygon({{{360, 30}, {700, 30}, {690, 170}, {420, 210}}});
    k.brush(colorRef(120, 180, 90));
    k.pen(2, colorRef(30, 70, 30));
    k.polygon({{{60, 300}, {320, 280}, {340, 460}, {80, 460}}, {{140, 340}, {260, 330}, {250, 420}, {150, 410}}});
    const quint32 lines[]
        = {colorRef(17, 99, 201), colorRef(201, 17, 99), colorRef(99, 150, 17), colorRef(128, 64, 160)};
    for (int i = 0; i < 4; ++i) {
        k.pen(1 + i % 3, lines[i]);
        QList<QPoint> wave;
        for (int x = 20; x <= 700; x += 20)
            wave << QPoint(x, 240 + i * 12 + qRound(40 * std::sin(x / 60.0 + i)));
        k.polyline(wave);
    }
    k.brush(colorRef(230, 200, 120));
    k.pen(1, colorRef(0, 0, 0));
    k.box(QRect(380, 240, 140, 90), false);
    k.brush(colorRef(250, 220, 80));
    k.pen(2, colorRef(200, 120, 0));
    k.box(QRect(540, 230, 160, 100), true);
    k.fillRule(Qt::WindingFill);
    k.brush(colorRef(180, 30, 30));
    k.pen(1, colorRef(0, 0, 0));
    k.polygon({star(QPoint(600, 420), 50)});
    k.fillRule(Qt::OddEvenFill);
    k.clipTo(QRect(400, 360, 140, 110));
    k.brush(colorRef(100, 100, 220));
    k.box(QRect(360, 340, 140, 160), true);
    k.pen(3, colorRef(0, 120, 120));
    k.polyline({{380, 480}, {560, 350}});
    k.unclip();
    k.image(QPoint(660, 420), swatch(QSize(40, 30), {qRgb(40, 90, 160), qRgb(230, 180, 60), qRgb(250, 250, 240)}));
    k.font(18, gdi::gb2312Charset, QStringLiteral("宋体"), colorRef(0, 0, 128));
    k.text(QPoint(40, 140), QStringLiteral("断层带 F2"), false);
    k.font(16, gdi::gb2312Charset, QStringLiteral("宋体"), colorRef(150, 0, 60));
    k.text(QPoint(380, 120), QStringLiteral("地层 J2 & <K>"));
    const QByteArray placeable = wmf::placeableHeader(-3000, -2000, 7800, 5200, 1440);
    return {QStringLiteral("placeable.wmf"), placeable + wmf::metafile(k.records, k.objects), k.drawing};
}

// A geological map as an EMF, in tenths of a pixel: a mosaic of units filled
// and outlined with pens of several widths, an island with a lake, a star by
// the winding rule, strata cut by a clip rectangle, a north arrow turned by
// a world transform, an RLE8 legend swatch, and labels in several colours,
// Chinese ones among them, holding characters XML reserves (]]> " & <),
// one font's name among them too.
inline CorpusFile fillsAndLabelsEmf()
{
    Sketch k(Sketch::Kind::Emf, QSize(960, 720), Units{10, {}});
    k.add(emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(9600, 7200) + emf::setViewportExtEx(960, 720));
    Sequence s(11);
    const auto jitter = [&s](int at, int last) { return at > 0 && at < last ? s.below(61) - 30 : 0; };
    QList<QList<QPoint>> corners(9);
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 7; ++j) {
            const int dx = jitter(i, 8);
            corners[i] << QPoint(i * 120 + dx, j * 120 + jitter(j, 6));
        }
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 6; ++j) {
            k.brush(s.colour(120, 250));
            k.pen(1 + s.below(3), s.colour(0, 90));
            k.polygon({{corners[i][j], corners[i + 1][j], corners[i + 1][j + 1], corners[i][j + 1]}});
        }
    k.brush(colorRef(120, 180, 90));
    k.pen(1, colorRef(30, 70, 30));
    k.polygon({{{120, 400}, {330, 380}, {360, 560}, {140, 600}}, {{190, 450}, {280, 440}, {290, 520}, {200, 530}}});
    k.fillRule(Qt::WindingFill);
    k.brush(colorRef(180, 30, 30));
    k.polygon({star(QPoint(480, 120), 70)});
    k.fillRule(Qt::OddEvenFill);
    k.clipTo(QRect(600, 430, 300, 220));
    k.brush(colorRef(250, 180, 180));
    k.polygon({{{580, 500}, {940, 470}, {930, 700}, {590, 690}}});
    k.pen(4, colorRef(0, 60, 160));
    for (int i = 0; i < 10; ++i)
        k.polyline({{560 + 40 * i, 680}, {720 + 40 * i, 400}});
    k.unclip();
    // The arrow in its own coordinates, turned 30 degrees about (800, 150).
    const float c = 0.8660254f, n = 0.5f; // as the record stores them
    k.add(emf::saveDC() + emf::setWorldTransform(c, n, -n, c, 8000, 1500));
    k.brush(colorRef(40, 40, 40));
    k.pen(1, colorRef(0, 0, 0));
    const QList<QPoint> arrow = {{0, -600}, {200, 200}, {0, 80}, {-200, 200}};
    k.add(emf::polygon16(arrow));
    QPainterPath turned;
    for (const QPoint& p : arrow) {
        const QPointF page(double(c) * p.x() - double(n) * p.y() + 8000, double(n) * p.x() + double(c) * p.y() + 1500);
        turned.elementCount() ? turned.lineTo(page / 10) : turned.moveTo(page / 10);
    }
    turned.closeSubpath();
    k.draw(turned, true);
    k.add(emf::restoreDC());
    k.image(QPoint(40, 650), swatch(QSize(64, 32), {qRgb(200, 60, 40), qRgb(60, 160, 80), qRgb(240, 230, 200)}));
    k.font(16, gdi::gb2312Charset, QStringLiteral("SimSun"), colorRef(160, 40, 20));
    k.text(QPoint(60, 80), QStringLiteral("花岗岩 γ"));
    k.font(16, gdi::gb2312Charset, QStringLiteral("SimSun"), colorRef(0, 0, 0));
    k.text(QPoint(300, 200), QStringLiteral("断层 F1"));
    k.font(16, gdi::gb2312Charset, QStringLiteral("SimSun"), colorRef(20, 60, 160));
    k.text(QPoint(520, 100), QStringLiteral("页岩 \"Sh\""));
    k.text(QPoint(660, 300), QStringLiteral("<石灰岩>"));
    k.font(16, gdi::gb2312Charset, QStringLiteral("SimSun"), colorRef(0, 110, 40));
    k.text(QPoint(100, 330), QStringLiteral("砂岩 & 泥岩"));
    k.text(QPoint(640, 400), QStringLiteral("褶皱轴 ]]>"));
    k.font(14, gdi::ansiCharset, QStringLiteral("Map & \"Legend\" ]]>"), colorRef(120, 0, 140));
    k.text(QPoint(360, 620), QStringLiteral("Dip 45 & <N>"));
    k.text(QPoint(140, 690), QStringLiteral("CDATA ]]> \"end\""));
    return {QStringLiteral("fills-and-labels.emf"), emfOf(k.drawing.size, k.records, k.objects + 1), k.drawing};
}

} // namespace kv::test
