// The device context a metafile draws through, and the drawing calls both
// players (WMF and EMF) make on it: each maps the record's logical
// coordinates to the picture's pixels, counts what the call will cost and
// then draws it with Qt's painter, as GDI draws it (no antialiasing, exact
// colours, an open line never filled).
#pragma once

#include "platform/metafile/metafile_cost.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QRegion>
#include <QSet>
#include <QString>
#include <QTransform>

#include <optional>
#include <variant>
#include <vector>

class QPainter;

namespace kv::metafile {

// GDI's COLORREF: 0x00BBGGRR.
inline QColor colourRef(quint32 c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

struct PenSpec {
    quint32 style = 0;     // PS_* style, end cap, join and type bits
    double width = 0;      // logical units; 0: one pixel
    bool cosmetic = true;  // one pixel whatever the width
    QColor colour = Qt::black;
};

struct BrushSpec {
    quint32 style = 0; // BS_SOLID, BS_NULL, BS_HATCHED, patterns
    QColor colour = Qt::white;
    quint32 hatch = 0;
    QImage pattern; // BS_PATTERN and the DIB patterns
};

struct FontSpec {
    int height = 0; // logical units: negative the character's height, positive the cell's
    int escapement = 0; // tenths of a degree, anticlockwise
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charSet = 0;
    QString face;
};

// A WMF region object, in logical units.
struct RegionSpec {
    std::vector<QRect> rects;
};

// Palettes and the bitmaps of old devices take a slot and draw nothing.
struct OtherObject {};

using GdiObject = std::variant<std::monostate, PenSpec, BrushSpec, FontSpec, RegionSpec, OtherObject>;

struct DeviceContext {
    int mapMode = 1; // MM_TEXT
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    QTransform world; // EMF only
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    QColor textColour = Qt::black, backColour = Qt::white;
    bool opaque = true; // background mode
    quint32 textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    bool clockwise = false; // arc direction
    std::optional<QRegion> clip; // picture pixels; none: the whole picture
    QPointF position;            // the current position, logical
};

// How the metafile's device units become the picture's pixels, and how big a
// device pixel is (for the fixed map modes).
struct DeviceSetup {
    QSize picture;
    QTransform deviceToPicture;
    double devicePixelsPerMm = 96 / 25.4;
};

// A polygon in whole pixels, its points held within a hundred million pixels
// of the origin: far beyond any picture, and inside int.
QPolygon wholePixels(const QPolygonF& polygon);

// Regions united (or, exclusive, combined by exclusive or) pairwise.
QRegion combined(std::vector<QRegion> parts, bool exclusive);

class Canvas {
public:
    // painter null: nothing is drawn, only the box of what would be is kept
    // (the size of a WMF without a placeable header). budget: the work
    // allowed (metafile_cost.h).
    Canvas(QPainter* painter, const DeviceSetup& setup, std::size_t objectSlots, double budget = maxDrawingWork);

    DeviceContext dc;

    bool refused() const { return budget_.exhausted(); }
    bool spend(double work) { return budget_.spend(work); }
    void refuse() { budget_.refuse(); }
    double spent() const { return budget_.spent(); }
    QRectF drawnBox() const { return drawn_; }
    QSize picture() const { return setup_.picture; }

    // Logical coordinates to the picture's pixels; and the size of a logical
    // unit there (for pen widths and font heights).
    QTransform toPicture() const;
    double unitScale() const;

    // The object table: a slot for each object the metafile creates; WMF
    // takes the lowest free slot (found in constant time), EMF names it. A
    // pattern kept by a brush is counted as the pixels it holds.
    std::optional<std::size_t> freeSlot();
    void create(std::size_t slot, GdiObject object);
    void select(std::size_t slot);
    void selectStock(quint32 stock);
    void remove(std::size_t slot);
    const GdiObject* object(std::size_t slot) const;

    void save();
    void restore(int which); // negative: relative to the newest

    // Map modes and the window and viewport.
    void setMapMode(int mode);
    void setViewportExt(QSizeF extent)
    {
        dc.viewportExt = extent;
        viewportExtSet_ = true;
    }
    void scaleWindow(int xNum, int xDen, int yNum, int yDen);
    void scaleViewport(int xNum, int xDen, int yNum, int yDen);

    // Drawing, in logical coordinates. In an EMF path bracket the shapes go
    // into the path instead.
    void polyline(const QPolygonF& points);
    void polygons(const std::vector<QPolygonF>& rings);
    void shape(const QPainterPath& logical, bool closed); // arcs, chords, pies, curves
    // Rectangles (corner empty), rounded rectangles (corner: the rounding
    // ellipse's size) and ellipses.
    void box(const QRectF& logical, QSizeF corner, bool ellipse);
    void lineTo(QPointF to);
    void moveTo(QPointF to);
    void fillRect(const QRectF& logical, const BrushSpec& brush, quint32 rop);
    void setPixel(QPointF at, QColor colour);
    void fillRegion(const QRegion& picturePixels, const BrushSpec& brush);
    void image(const QRectF& logical, const QImage& source, const QRectF& sourceRect, quint32 rop);
    // Text at a logical point; advances (logical) place each character when given.
    void text(QPointF at, const QString& text, const std::vector<double>& advances, quint32 options,
              const std::optional<QRectF>& box);

    // EMF paths.
    void beginPath();
    void endPath() { inPath_ = false; }
    void abortPath();
    void closeFigure();
    void pathTo(const QPainterPath& logical); // continues the figure at the current position
    void fillPath(bool fill, bool stroke);
    void clipToPath(int mode);

    // Clipping.
    void intersectClip(const QRectF& logical);
    void excludeClip(const QRectF& logical);
    void combineClip(const QRegion& picturePixels, int mode); // RGN_AND ... RGN_COPY
    void offsetClip(QPointF logical);
    void resetClip() { dc.clip.reset(); }
    // The rectangles (device or logical units) on the picture, united:
    // counted first, its size bounded before it is made; empty when refused.
    QRegion regionOf(const std::vector<QRect>& deviceRects, bool logical);

private:
    QRectF clipBox() const;
    double clipWork() const;
    QRegion pixelsOf(const QTransform& t, const QRectF& r);
    static std::vector<QPolygonF> polygonsOf(const QPainterPath& picture);
    bool paint(const std::vector<QPolygonF>& rings, bool fill, const std::vector<QPolygonF>& lines, bool stroke);
    bool paint(const QPainterPath& filled, bool fill, const QPainterPath& stroked, bool stroke);
    bool painted(QRectF bounds, double penWidth);
    bool tooManyPoints(double points);
    double fillPixelWork(const BrushSpec& brush) const;
    double penPixels() const;
    QPen pen(double width) const;
    Stroke strokeOf(const QPen& pen, double width) const;
    void applyPen();
    void applyBrush(const BrushSpec& brush);
    void applyClip();
    void note(const QRectF& box);
    void pathGrew();
    // Counts the fonts, sizes and glyph images text asks Qt for the first time.
    struct SizedFont {
        QFont font;
        quint32 number;
    };
    bool countFont(const QFont& face);
    double emOfCell(const QFont& face, double cellPixels);
    const SizedFont& sizedFont(const QFont& font);
    double newGlyphs(const SizedFont& sized, int angle, const QString& text);

    QPainter* painter_;
    DeviceSetup setup_;
    Budget budget_;
    std::vector<GdiObject> objects_;
    std::vector<std::size_t> freeSlots_; // a heap, lowest first: slots freed or never taken (some taken since)
    std::vector<bool> listed_;           // whether a slot is in freeSlots_
    std::vector<DeviceContext> saved_;
    bool viewportExtSet_ = false;
    bool inPath_ = false;
    QPen countedPen_;   // the pen of the call last counted, which it draws with
    QPainterPath path_; // picture pixels
    QRectF drawn_;
    std::optional<QRegion> appliedClip_;
    bool clipApplied_ = false;
    QHash<QFont, double> emPerCell_;   // faces looked up: the em of a pixel of cell height, once measured
    QHash<QFont, SizedFont> sized_;    // fonts at a size, kept
    QHash<quint64, quint32> sizes_;    // a sized font's number and an angle, numbered
    QSet<quint64> glyphs_;             // a size and angle's number and a character
};

} // namespace kv::metafile
