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

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include <uemf.h>

class QPainter;

namespace kv::metafile {

class DrawnFonts;

// GDI's COLORREF: 0x00BBGGRR.
inline QColor colourRef(quint32 c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

struct PenSpec {
    quint32 style = U_PS_SOLID; // U_PS_* style, end cap, join and type bits
    double width = 0;           // logical units; 0: one pixel
    bool cosmetic = true;       // one pixel whatever the width
    QColor colour = Qt::black;
    // U_PS_USERSTYLE: the lengths of its dashes and gaps, alternately from a
    // dash; logical units for a geometric pen, pixels for a cosmetic one.
    std::vector<double> userDashes;
    // A geometric pen made by ExtCreatePen: dashed at any width. A pen made by
    // CreatePen is dashed only while it is one pixel wide; wider, GDI draws it
    // solid whatever its style.
    bool dashedWhenWide = false;
};

struct BrushSpec {
    quint32 style = U_BS_SOLID; // U_BS_SOLID, U_BS_NULL, U_BS_HATCHED, patterns
    QColor colour = Qt::white;
    quint32 hatch = U_HS_HORIZONTAL; // U_HS_*, for U_BS_HATCHED
    QImage pattern; // U_BS_PATTERN and the DIB patterns
};

struct FontSpec {
    int height = 0; // logical units: negative the character's height, positive the cell's
    int width = 0;  // logical units: the average character width; 0: the font's own
    int escapement = 0; // tenths of a degree, anticlockwise
    int weight = U_FW_NORMAL;
    bool italic = false, underline = false, strikeOut = false;
    int charSet = U_ANSI_CHARSET;
    QString face;
};

// A WMF region object, in logical units.
struct RegionSpec {
    std::vector<QRect> rects;
};

// A logical palette: the colours that PALETTEINDEX colours and the colour
// tables of DIB_PAL_COLORS bitmaps pick by index.
struct PaletteSpec {
    std::vector<QRgb> colours;
};

// The bitmaps of old devices and colour spaces take a slot and draw nothing.
struct OtherObject {};

using GdiObject = std::variant<std::monostate, PenSpec, BrushSpec, FontSpec, RegionSpec, PaletteSpec, OtherObject>;

struct DeviceContext {
    int mapMode = U_MM_TEXT;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    // Whether the extents were set (by the records, or for a WMF's viewport
    // by the player); saved and restored with them.
    bool windowExtSet = false, viewportExtSet = false;
    QTransform world; // EMF only
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    QColor textColour = Qt::black, backColour = Qt::white;
    bool opaque = true; // background mode
    quint32 textAlign = U_TA_DEFAULT;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    bool clockwise = false; // arc direction
    int rop2 = U_R2_COPYPEN; // how lines and fills mix with what lies under them (U_R2_*)
    double charExtra = 0;    // logical units added to each character's advance
    std::optional<std::size_t> palette; // the selected palette's slot; none: the default palette
    std::optional<QRegion> clip; // picture pixels; none: the whole picture
    QPointF position;            // the current position, logical
};

// How the metafile's device units become the picture's pixels, and how big a
// device pixel is (for the fixed map modes). viewportExt, when not empty, is
// the viewport extent the player sets before the records play (a WMF's: see
// openWmf).
struct DeviceSetup {
    QSize picture;
    QTransform deviceToPicture;
    double devicePixelsPerMm = 96 / 25.4;
    QSizeF viewportExt;
};

// The window a metafile drew through: its map mode, origin and extent, and
// whether the extent was set.
struct Window {
    int mapMode = U_MM_TEXT;
    QPointF origin;
    QSizeF extent;
    bool extentSet = false;
};

// The pixel coordinates regions hold, a hundred million pixels either way of
// the origin: far beyond any picture, and inside int with room to move.
constexpr double maxPixelCoordinate = 1e8;
// A coordinate as a whole pixel within them; 0 for one that is not finite.
int wholePixel(double v);
// A polygon in whole pixels, each point as wholePixel takes it.
QPolygon wholePixels(const QPolygonF& polygon);

// How regions are put together: united, or combined by exclusive or.
enum class RegionJoin { Union, ExclusiveOr };

// The parts joined pairwise.
QRegion combined(std::vector<QRegion> parts, RegionJoin join);

// What a drawing call does with its shape: fills its inside with the brush,
// strokes its outline with the pen, or both.
enum class Paint { Fill = 1, Stroke = 2, FillAndStroke = 3 };
inline bool fills(Paint p) { return int(p) & int(Paint::Fill); }
inline bool strokes(Paint p) { return int(p) & int(Paint::Stroke); }

enum class BoxShape { Rectangle, Ellipse };

// The units of a region's rectangles: the metafile's logical units (WMF
// region objects) or its device units (EMF region data).
enum class RegionUnits { Logical, Device };

class Canvas {
public:
    // painter null: nothing is drawn, only the box of what would be and the
    // window of the first drawing are kept (the frame of a WMF without a
    // placeable header). budget: the work allowed (metafile_cost.h).
    Canvas(QPainter* painter, const DeviceSetup& setup, std::size_t objectSlots, double budget = maxDrawingWork);
    ~Canvas();

    DeviceContext dc;

    bool refused() const { return budget_.exhausted(); }
    // A record that draws and that this system does not draw (EMF+ drawing,
    // glyph indices, ...) was left out.
    void leaveOutDrawing() { drawingLeftOut_ = true; }
    bool drawingLeftOut() const { return drawingLeftOut_; }
    bool spend(double work) { return budget_.spend(work); }
    // Refuses the metafile as too costly, whatever was spent so far.
    void refuse() { budget_.refuse(); }
    double spent() const { return budget_.spent(); }
    // Counts making a region of this many rectangles; more than
    // maxRegionRects refuse the metafile. False when it is not to be made.
    bool countRegion(qint64 rectangles);
    QRectF drawnBox() const { return drawn_; }
    // The window of the first drawing call; none before one is made.
    const std::optional<Window>& firstDrawingWindow() const { return firstDrawingWindow_; }
    QSize picture() const { return setup_.picture; }

    // Logical coordinates to the picture's pixels; and the size of a logical
    // unit there (for pen widths and font heights).
    QTransform toPicture() const;
    double unitScale() const;
    // Logical points in the picture's pixels, mapped in place.
    QPolygonF inPicture(QPolygonF logical) const;

    // The object table: a slot for each object the metafile creates; WMF
    // takes the lowest free slot (found in constant time), EMF names it. A
    // pattern kept by a brush is counted as the pixels it holds.
    std::optional<std::size_t> freeSlot();
    void create(std::size_t slot, GdiObject object);
    void select(std::size_t slot);
    void selectStock(quint32 stock);
    void remove(std::size_t slot);
    const GdiObject* object(std::size_t slot) const;

    // Palettes: a COLORREF as drawn (a PALETTEINDEX one from the selected
    // palette), and the selected palette's colours (GDI's default palette
    // when none is selected). A palette record that names no palette changes nothing.
    QColor colour(quint32 colorRef) const;
    const std::vector<QRgb>& paletteColours() const;
    void selectPalette(std::size_t slot);
    void setPaletteEntries(std::size_t slot, std::size_t first, const std::vector<QRgb>& colours);
    void resizePalette(std::size_t slot, std::size_t entries);

    void save();
    void restore(int which); // negative: relative to the newest

    // Map modes and the window and viewport. An extent with a zero side
    // is left out, as GDI refuses it.
    void setMapMode(int mode);
    void setWindowExt(QSizeF extent);
    void setViewportExt(QSizeF extent);
    void scaleWindow(int xNum, int xDen, int yNum, int yDen);
    void scaleViewport(int xNum, int xDen, int yNum, int yDen);

    // Drawing, in logical coordinates. In an EMF path bracket the shapes go
    // into the path instead.
    void polyline(QPolygonF points);
    void polygons(const std::vector<QPolygonF>& rings);
    void shape(const QPainterPath& logical, Paint paint); // arcs, chords, pies, curves
    // Rectangles (corner empty), rounded rectangles (corner: the rounding
    // ellipse's size) and ellipses, filled and stroked.
    void box(const QRectF& logical, QSizeF corner, BoxShape boxShape);
    void lineTo(QPointF to);
    void moveTo(QPointF to);
    void fillRect(const QRectF& logical, const BrushSpec& brush, quint32 rop);
    // The opaque box of a text record, filled with the background colour
    // (also when the record has no characters: programs fill rectangles so).
    void fillOpaqueBox(const QRectF& logical);
    void setPixel(QPointF at, QColor colour);
    void fillRegion(const QRegion& picturePixels, const BrushSpec& brush);
    void image(const QRectF& logical, const QImage& source, const QRectF& sourceRect, quint32 rop);
    // Text at a logical point; advances (logical) place each character when
    // given. Text by glyph index (options) is left out, its opaque box filled.
    void text(QPointF at, const QString& text, const std::vector<double>& advances, quint32 options,
              const std::optional<QRectF>& box);

    // EMF paths.
    void beginPath();
    void endPath() { inPath_ = false; }
    void abortPath();
    void closeFigure();
    void pathTo(const QPainterPath& logical); // continues the figure at the current position
    void paintPath(Paint paint);
    void clipToPath(int mode);

    // Clipping.
    void intersectClip(const QRectF& logical);
    void excludeClip(const QRectF& logical);
    void combineClip(const QRegion& picturePixels, int mode); // U_RGN_AND ... U_RGN_COPY
    void offsetClip(QPointF logical);
    void resetClip() { dc.clip.reset(); }
    // A region's rectangles in the picture's pixels, united: counted first,
    // its size bounded before it is made; empty when refused.
    QRegion regionOf(const std::vector<QRect>& rects, RegionUnits units);

private:
    QRectF clipBox() const;
    double clipWork() const;
    QRegion pixelsOf(const QTransform& t, const QRectF& r);
    static std::vector<QPolygonF> polygonsOf(const QPainterPath& picture);
    bool prepareDrawing(const std::vector<QPolygonF>& rings, const std::vector<QPolygonF>& lines, Paint paint);
    bool prepareDrawing(const QPainterPath& filled, const QPainterPath& stroked, Paint paint);
    template <typename Shapes>
    bool prepareShapes(const Shapes& filled, const Shapes& stroked, Paint paint);
    bool prepareCounted(QRectF bounds, double penWidth);
    void drawPicturePath(const QPainterPath& picture, Paint paint);
    bool tooManyPoints(double points);
    double fillPixelWork(const BrushSpec& brush) const;
    double penPixels() const;
    QPen pen(double width) const;
    Stroke strokeOf(const QPen& pen, double width) const;
    bool applyMix();
    void applyPen();
    void applyBrush(const BrushSpec& brush);
    void applyClip();
    void widenDrawnBox(const QRectF& box);
    void pathGrew();
    // Counts the sizes and glyph images text asks Qt for the first time (the
    // faces are counted by fonts_).
    struct SizedFont {
        QFont font;
        quint32 number;
    };
    const SizedFont& sizedFont(const QFont& font);
    double newGlyphs(const SizedFont& sized, int angle, const QString& text);

    QPainter* painter_;
    DeviceSetup setup_;
    Budget budget_;
    std::vector<GdiObject> objects_;
    std::vector<std::size_t> freeSlots_; // a heap, lowest first: slots freed or never taken (some taken since)
    std::vector<bool> listed_;           // whether a slot is in freeSlots_
    std::vector<DeviceContext> saved_;
    bool inPath_ = false;
    bool drawingLeftOut_ = false;
    std::optional<Window> firstDrawingWindow_;
    QPen countedPen_;   // the pen of the call last counted, which it draws with
    QPainterPath path_; // picture pixels
    QRectF drawn_;
    std::optional<QRegion> appliedClip_;
    bool clipApplied_ = false;
    std::unique_ptr<DrawnFonts> fonts_; // faces looked up and measured (metafile_font.h)
    QHash<QFont, SizedFont> sized_;    // fonts at a size, kept
    QHash<quint64, quint32> sizes_;    // a sized font's number and an angle, numbered
    QSet<quint64> glyphs_;             // a size and angle's number and a character
};

} // namespace kv::metafile
