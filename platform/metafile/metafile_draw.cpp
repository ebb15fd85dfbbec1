// The drawing calls of the device context: lines, fills, paths and bitmaps,
// each counted before it is drawn.
#include "platform/metafile/metafile_player.h"

#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <type_traits>

#include <uemf.h>

namespace kv::metafile {
namespace {

bool finite(const QRectF& r)
{
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height());
}

// GDI's dash patterns: in pixels for a one-pixel pen, in widths for a wider one.
QList<qreal> dashes(quint32 style, bool onePixel)
{
    switch (style & U_PS_STYLE_MASK) {
    case U_PS_DASH: return onePixel ? QList<qreal>{18, 6} : QList<qreal>{3, 1};
    case U_PS_DOT: return onePixel ? QList<qreal>{3, 3} : QList<qreal>{1, 1};
    case U_PS_DASHDOT: return onePixel ? QList<qreal>{9, 6, 3, 6} : QList<qreal>{3, 1, 1, 1};
    case U_PS_DASHDOTDOT: return onePixel ? QList<qreal>{9, 3, 3, 3, 3, 3} : QList<qreal>{3, 1, 1, 1, 1, 1};
    case U_PS_ALTERNATE: return {1, 1};
    }
    return {};
}

// A user-styled pen's dashes and gaps (PenSpec::userDashes) in the units Qt's
// dash patterns take: pixels for a one-pixel pen, widths for a wider one.
// An odd count repeats once more with dashes and gaps swapped, as GDI runs
// it. A pattern shorter than two pixels is drawn solid: it could not be
// told from a solid line, and would cut a long line into millions of dashes.
QList<qreal> userDashes(const PenSpec& pen, double unitScale, double widthPixels)
{
    const double toPixels = (pen.style & U_PS_TYPE_MASK) == U_PS_GEOMETRIC ? unitScale : 1.0;
    QList<qreal> pattern;
    double period = 0;
    for (double length : pen.userDashes) {
        pattern << length * toPixels / widthPixels;
        period += length * toPixels;
    }
    if (!(period >= 2 && std::isfinite(period)))
        return {};
    if (pattern.size() % 2)
        pattern += pattern;
    return pattern;
}

// How lines and fills mix with what lies under them (SetROP2), for
// U_R2_BLACK to U_R2_WHITE: each is one of the painter's raster operations
// (P the pen or brush, D the picture), U_R2_COPYPEN plain painting.
constexpr QPainter::CompositionMode mixes[] = {
    QPainter::RasterOp_ClearDestination,            // black
    QPainter::RasterOp_NotSourceAndNotDestination,  // ~(D | P)
    QPainter::RasterOp_NotSourceAndDestination,     // D & ~P
    QPainter::RasterOp_NotSource,                   // ~P
    QPainter::RasterOp_SourceAndNotDestination,     // P & ~D
    QPainter::RasterOp_NotDestination,              // ~D
    QPainter::RasterOp_SourceXorDestination,        // D ^ P
    QPainter::RasterOp_NotSourceOrNotDestination,   // ~(D & P)
    QPainter::RasterOp_SourceAndDestination,        // D & P
    QPainter::RasterOp_NotSourceXorDestination,     // ~(D ^ P)
    QPainter::CompositionMode_SourceOver,           // D: nothing drawn (applyMix)
    QPainter::RasterOp_NotSourceOrDestination,      // D | ~P
    QPainter::CompositionMode_SourceOver,           // P
    QPainter::RasterOp_SourceOrNotDestination,      // P | ~D
    QPainter::RasterOp_SourceOrDestination,         // D | P
    QPainter::RasterOp_SetDestination,              // white
};

Qt::BrushStyle hatchStyle(quint32 hatch)
{
    switch (hatch) {
    case U_HS_HORIZONTAL: return Qt::HorPattern;
    case U_HS_VERTICAL: return Qt::VerPattern;
    case U_HS_FDIAGONAL: return Qt::FDiagPattern; // "\\\\", down from left to right
    case U_HS_BDIAGONAL: return Qt::BDiagPattern; // "////"
    case U_HS_CROSS: return Qt::CrossPattern;
    case U_HS_DIAGCROSS: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// The angle of a point seen from the box's centre, in the painter's degrees
// (anticlockwise on the page).
double angleOf(const QRectF& box, QPointF p)
{
    const QPointF c = box.center();
    // Seen on a circle: the box's aspect taken out.
    const double dx = (p.x() - c.x()) / std::max(std::fabs(box.width()), 1e-9);
    const double dy = (p.y() - c.y()) / std::max(std::fabs(box.height()), 1e-9);
    return std::atan2(-dy, dx) * 180 / M_PI;
}

} // namespace

QPainterPath arcPath(ArcShape shape, const QRectF& box, QPointF start, QPointF end, bool clockwise)
{
    const QRectF b = box.normalized();
    const double from = angleOf(b, start), to = angleOf(b, end);
    double sweep = clockwise ? -std::fmod(from - to + 720.0, 360.0) : std::fmod(to - from + 720.0, 360.0);
    if (sweep == 0)
        sweep = clockwise ? -360 : 360;
    QPainterPath path;
    if (shape == ArcShape::Pie)
        path.moveTo(b.center());
    else
        path.arcMoveTo(b, from);
    path.arcTo(b, from, sweep);
    if (shape != ArcShape::Arc)
        path.closeSubpath();
    return path;
}

double Canvas::penPixels() const
{
    if ((dc.pen.style & U_PS_STYLE_MASK) == U_PS_NULL)
        return 0;
    return dc.pen.cosmetic ? 1.0 : std::max(1.0, dc.pen.width * unitScale());
}

// The painter's pen for the selected one, width: its pixels (penPixels()).
QPen Canvas::pen(double width) const
{
    if (width == 0)
        return QPen(Qt::NoPen);
    // A pen of a pixel or less is GDI's cosmetic line: exact pixels, and the
    // last pixel of a line left out.
    const bool onePixel = width < widePenPixels;
    QPen pen(dc.pen.colour, onePixel ? 0.0 : width);
    if (onePixel) {
        pen.setCapStyle(Qt::FlatCap);
    } else {
        const quint32 cap = dc.pen.style & U_PS_ENDCAP_MASK, join = dc.pen.style & U_PS_JOIN_MASK;
        pen.setCapStyle(cap == U_PS_ENDCAP_SQUARE ? Qt::SquareCap : cap == U_PS_ENDCAP_FLAT ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(join == U_PS_JOIN_BEVEL ? Qt::BevelJoin : join == U_PS_JOIN_MITER ? Qt::MiterJoin : Qt::RoundJoin);
    }
    const QList<qreal> pattern = !onePixel && !dc.pen.dashedWhenWide ? QList<qreal>()
                                 : (dc.pen.style & U_PS_STYLE_MASK) == U_PS_USERSTYLE
                                     ? userDashes(dc.pen, unitScale(), onePixel ? 1.0 : width)
                                     : dashes(dc.pen.style, onePixel);
    if (!pattern.isEmpty())
        pen.setDashPattern(pattern);
    return pen;
}

// The pen as the budget counts it: dashes drawn over a solid line of the
// background colour in the opaque background mode, and mixed with the
// picture by the raster operation (applyMix).
Stroke Canvas::strokeOf(const QPen& pen, double width) const
{
    Stroke s;
    s.width = width;
    if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen)
        s.dashes = pen.dashPattern();
    s.roundJoins = pen.joinStyle() == Qt::RoundJoin;
    s.roundCaps = pen.capStyle() == Qt::RoundCap;
    s.opaqueGaps = dc.opaque && !s.dashes.isEmpty();
    s.mixed = dc.rop2 >= U_R2_BLACK && dc.rop2 <= U_R2_WHITE && dc.rop2 != U_R2_COPYPEN && dc.rop2 != U_R2_NOP;
    return s;
}

// The pen of the call last counted (paint()), which every drawing call
// counts before it draws.
void Canvas::applyPen()
{
    painter_->setPen(countedPen_);
    painter_->setBackgroundMode(dc.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_->setBackground(dc.backColour);
}

// Sets the painter's mix for a line or fill from the device context's
// binary raster operation; false for U_R2_NOP, which draws nothing.
bool Canvas::applyMix()
{
    const int rop2 = dc.rop2 >= U_R2_BLACK && dc.rop2 <= U_R2_WHITE ? dc.rop2 : U_R2_COPYPEN;
    painter_->setCompositionMode(mixes[rop2 - U_R2_BLACK]);
    return rop2 != U_R2_NOP;
}

double Canvas::fillPixelWork(const BrushSpec& brush) const
{
    return brush.style == U_BS_HATCHED ? hatchedPixelWork : filledPixelWork;
}

void Canvas::applyBrush(const BrushSpec& brush)
{
    switch (brush.style) {
    case U_BS_SOLID: painter_->setBrush(brush.colour); break;
    case U_BS_NULL: painter_->setBrush(Qt::NoBrush); break;
    case U_BS_HATCHED: // the hatch's colour over the background when the mode is opaque
        painter_->setBrush(QBrush(brush.colour, hatchStyle(brush.hatch)));
        painter_->setBackgroundMode(dc.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_->setBackground(dc.backColour);
        break;
    default:
        if (!brush.pattern.isNull())
            painter_->setBrush(QBrush(brush.pattern));
        else
            painter_->setBrush(brush.colour);
    }
}

std::vector<QPolygonF> Canvas::polygonsOf(const QPainterPath& picture)
{
    std::vector<QPolygonF> out;
    for (const QPolygonF& p : picture.toSubpathPolygons())
        out.push_back(p);
    return out;
}

namespace {

// The lines' extents, found once: for the budget and the drawn box. A path
// finds its own.
QVarLengthArray<Extent, 4> extentsOf(const std::vector<QPolygonF>& lines)
{
    QVarLengthArray<Extent, 4> extents;
    for (const QPolygonF& line : lines)
        extents.push_back(extentOf(line));
    return extents;
}

QVarLengthArray<Extent, 4> extentsOf(const QPainterPath&) { return {}; }

// United filled shapes first, then stroked ones (a union rounds its sides).
QRectF boundsOf(const std::vector<QPolygonF>& filled, const std::vector<QPolygonF>& stroked,
                const QVarLengthArray<Extent, 4>& strokedExtents)
{
    QRectF bounds;
    for (std::size_t i = 0; i < filled.size(); ++i)
        bounds |= (&filled == &stroked ? strokedExtents[int(i)] : extentOf(filled[i])).rect();
    for (const Extent& e : strokedExtents)
        bounds |= e.rect();
    return bounds;
}

QRectF boundsOf(const QPainterPath& filled, const QPainterPath& stroked, const QVarLengthArray<Extent, 4>&)
{
    return filled.boundingRect() | stroked.boundingRect();
}

} // namespace

// Counts a drawing call (the shapes filled with the brush, the lines stroked
// with the pen, as paint asks), widens the drawn box and sets the painter's
// clip; true when the painter is to draw it. Paths are counted from their
// control points before anything flattens their curves.
template <typename Shapes>
bool Canvas::prepareShapes(const Shapes& filled, const Shapes& stroked, Paint paint)
{
    const bool fill = fills(paint) && dc.brush.style != U_BS_NULL;
    const double width = penPixels();
    const bool stroke = strokes(paint) && width > 0;
    const QRectF box = clipBox();
    double work = callWork + clipWork();
    countedPen_ = pen(width);
    const QVarLengthArray<Extent, 4> extents = extentsOf(stroked);
    if (fill)
        work += budget_.fill(filled, box, fillPixelWork(dc.brush));
    if (stroke) {
        if constexpr (std::is_same_v<Shapes, QPainterPath>)
            work += budget_.stroke(stroked, strokeOf(countedPen_, width), box);
        else
            work += budget_.stroke(stroked, strokeOf(countedPen_, width), box, extents.data());
    }
    if (!spend(work) || !(fill || stroke))
        return false;
    return prepareCounted(boundsOf(filled, stroked, extents), width);
}

bool Canvas::prepareDrawing(const std::vector<QPolygonF>& rings, const std::vector<QPolygonF>& lines, Paint paint)
{
    return prepareShapes(rings, lines, paint);
}

bool Canvas::prepareDrawing(const QPainterPath& filled, const QPainterPath& stroked, Paint paint)
{
    return prepareShapes(filled, stroked, paint);
}

// A counted call drawing within bounds (its pen penWidth pixels wide):
// widens the drawn box and sets the painter's clip and mix; true when the
// painter is to draw it.
bool Canvas::prepareCounted(QRectF bounds, double penWidth)
{
    bounds.adjust(-penWidth, -penWidth, penWidth, penWidth);
    if (!finite(bounds))
        return false;
    widenDrawnBox(bounds);
    if (!painter_)
        return false;
    applyClip();
    return applyMix();
}

// A call of more points than the painter is handed at once is refused before
// its points are copied (each copy and each path of them holds 16 to 24
// bytes a point).
bool Canvas::tooManyPoints(double points)
{
    if (points <= maxCallPoints)
        return false;
    refuse();
    return true;
}

void Canvas::polyline(QPolygonF points)
{
    if (points.size() < 2 || tooManyPoints(double(points.size())))
        return;
    const QPolygonF p = inPicture(std::move(points));
    if (inPath_) {
        path_.moveTo(p.first());
        for (qsizetype i = 1; i < p.size(); ++i)
            path_.lineTo(p[i]);
        pathGrew();
        return;
    }
    if (!prepareDrawing({}, {p}, Paint::Stroke))
        return;
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPolyline(p);
}

void Canvas::polygons(const std::vector<QPolygonF>& rings)
{
    double points = 0;
    for (const QPolygonF& ring : rings)
        points += double(ring.size()) + 1;
    if (tooManyPoints(points))
        return;
    const QTransform t = toPicture();
    std::vector<QPolygonF> closed; // each ring ends on its first point
    std::vector<bool> reclosed;    // that point added here
    for (const QPolygonF& ring : rings) {
        if (ring.size() < 2)
            continue;
        QPolygonF p = t.map(ring);
        reclosed.push_back(!p.isClosed());
        if (reclosed.back())
            p << p.first();
        closed.push_back(std::move(p));
    }
    if (closed.empty())
        return;
    // The rings as a path, each closed by the path itself, made only where a
    // path is drawn or added to.
    const auto picturePath = [&] {
        QPainterPath picture;
        picture.setFillRule(dc.fillRule);
        for (std::size_t i = 0; i < closed.size(); ++i) {
            picture.addPolygon(reclosed[i] ? closed[i].mid(0, closed[i].size() - 1) : closed[i]);
            picture.closeSubpath();
        }
        return picture;
    };
    if (inPath_) {
        path_.addPath(picturePath());
        pathGrew();
        return;
    }
    if (!prepareDrawing(closed, closed, Paint::FillAndStroke))
        return;
    applyPen();
    applyBrush(dc.brush);
    // Past 65535 points drawPolygon slows to hundreds of nanoseconds a point;
    // drawPath stays at tens.
    if (closed.size() == 1 && closed.front().size() <= 65535)
        painter_->drawPolygon(closed.front(), dc.fillRule);
    else
        painter_->drawPath(picturePath());
}

void Canvas::shape(const QPainterPath& logical, Paint paint)
{
    if (tooManyPoints(logical.elementCount()))
        return;
    QPainterPath picture = toPicture().map(logical);
    picture.setFillRule(dc.fillRule);
    if (inPath_) {
        path_.addPath(picture);
        pathGrew();
        return;
    }
    drawPicturePath(picture, paint);
}

// Counts a path in picture pixels and draws it, filled and stroked as paint
// asks.
void Canvas::drawPicturePath(const QPainterPath& picture, Paint paint)
{
    if (!prepareDrawing(picture, picture, paint))
        return;
    applyPen();
    if (!strokes(paint))
        painter_->setPen(Qt::NoPen);
    applyBrush(fills(paint) ? dc.brush : BrushSpec{U_BS_NULL, Qt::white, 0, {}});
    painter_->drawPath(picture);
}

namespace {

QPainterPath boxPath(const QRectF& r, QSizeF corner, BoxShape shape)
{
    QPainterPath p;
    if (shape == BoxShape::Ellipse)
        p.addEllipse(r);
    else if (corner.isEmpty())
        p.addRect(r);
    else
        p.addRoundedRect(r, corner.width() / 2, corner.height() / 2);
    return p;
}

} // namespace

// GDI fills a box up to its right and bottom edges and draws a one-pixel
// outline inside them, one pixel short of where the painter would.
void Canvas::box(const QRectF& logical, QSizeF corner, BoxShape boxShape)
{
    const QTransform t = toPicture();
    // No corner given (QSizeF()): a plain rectangle, not one rounded by half a pixel.
    corner = corner == QSizeF() ? QSizeF(0, 0) : QSizeF(std::fabs(corner.width()), std::fabs(corner.height()));
    if (inPath_ || t.type() > QTransform::TxScale || penPixels() >= widePenPixels) {
        shape(boxPath(logical.normalized(), corner, boxShape), Paint::FillAndStroke);
        return;
    }
    const QRectF r = t.mapRect(logical.normalized());
    const QSizeF c(corner.width() * std::fabs(t.m11()), corner.height() * std::fabs(t.m22()));
    const QPainterPath inside = boxPath(r, c, boxShape);
    const QPainterPath outline = boxPath(r.adjusted(0, 0, -1, -1), c, boxShape);
    if (!prepareDrawing(inside, outline, Paint::FillAndStroke))
        return;
    painter_->setPen(Qt::NoPen);
    applyBrush(dc.brush);
    painter_->drawPath(inside);
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPath(outline);
}

void Canvas::moveTo(QPointF to)
{
    dc.position = to;
    if (inPath_)
        path_.moveTo(toPicture().map(to));
}

void Canvas::lineTo(QPointF to)
{
    const QPointF from = dc.position;
    dc.position = to;
    if (inPath_) {
        if (path_.elementCount() == 0)
            path_.moveTo(toPicture().map(from));
        path_.lineTo(toPicture().map(to));
        pathGrew();
        return;
    }
    polyline(QPolygonF({from, to}));
}

// PatBlt and the fills of the bitmap records without a bitmap: the pure
// raster operations; others are left out.
void Canvas::fillRect(const QRectF& logical, const BrushSpec& brush, quint32 rop)
{
    const QPolygonF corners = toPicture().map(QPolygonF(logical.normalized()));
    QPainterPath picture;
    picture.addPolygon(corners);
    // Counted as the fill it is: its edges on the rows it covers, its pixels
    // and its corners.
    const double pixelWork = rop == U_PATCOPY || rop == U_PATINVERT ? fillPixelWork(brush) : filledPixelWork;
    if (!spend(callWork + clipWork() + budget_.fill({corners}, clipBox(), pixelWork)) || !finite(picture.boundingRect()))
        return;
    widenDrawnBox(picture.boundingRect());
    if (!painter_)
        return;
    applyClip();
    painter_->setPen(Qt::NoPen);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (rop) {
    case U_PATCOPY: applyBrush(brush); break;
    case U_BLACKNESS: painter_->setBrush(Qt::black); break;
    case U_WHITENESS: painter_->setBrush(Qt::white); break;
    case U_DSTINVERT:
        painter_->setBrush(Qt::white);
        painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case U_PATINVERT:
        applyBrush(brush);
        painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    default: return;
    }
    painter_->drawPath(picture);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Counted, as filled, by fillRect: the box's fill, however many characters
// the text has.
void Canvas::fillOpaqueBox(const QRectF& logical)
{
    BrushSpec background;
    background.colour = dc.backColour;
    fillRect(logical, background, U_PATCOPY);
}

void Canvas::setPixel(QPointF at, QColor colour)
{
    const QPointF p = toPicture().map(at);
    if (!spend(callWork) || !std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    widenDrawnBox(QRectF(p, QSizeF(1, 1)));
    if (!painter_)
        return;
    applyClip();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(QRectF(std::floor(p.x()), std::floor(p.y()), 1, 1), colour);
}

// The region cut to the clip, the cut bounded before it is made.
void Canvas::fillRegion(const QRegion& region, const BrushSpec& brush)
{
    if (dc.clip) {
        const double bound = regionOpBound(region, *dc.clip);
        if (bound > regionBoundLimit) {
            refuse();
            return;
        }
        if (!spend(regionRectWork * double(region.rectCount() + dc.clip->rectCount()) + regionBoundWork * bound))
            return;
    }
    const QRegion r = dc.clip ? region & *dc.clip : region;
    const QRect b = r.boundingRect().intersected(QRect(QPoint(0, 0), setup_.picture));
    if (!spend(callWork + regionRectWork * r.rectCount() + fillPixelWork(brush) * double(b.width()) * b.height()))
        return;
    widenDrawnBox(QRectF(r.boundingRect()));
    if (!painter_)
        return;
    applyClip();
    if (!applyMix())
        return;
    painter_->setPen(Qt::NoPen);
    applyBrush(brush);
    for (const QRect& rect : r)
        painter_->drawRect(rect);
}

// A bitmap over a logical rectangle (its width or height negative: mirrored).
// The raster operations that copy, combine or invert the source are drawn;
// others, which mix in a pattern, are drawn as a plain copy.
void Canvas::image(const QRectF& logical, const QImage& source, const QRectF& sourceRect, quint32 rop)
{
    if (source.isNull() || sourceRect.isEmpty() || logical.width() == 0 || logical.height() == 0)
        return;
    const QTransform place = QTransform(logical.width() / sourceRect.width(), 0, 0, logical.height() / sourceRect.height(),
                                        logical.x(), logical.y())
                             * toPicture();
    const QRectF onPicture = place.mapRect(QRectF(QPointF(0, 0), sourceRect.size()));
    const QRectF box = onPicture.intersected(clipBox());
    if (!spend(callWork + clipWork() + blitPixelWork * (box.isValid() ? box.width() * box.height() : 0.0)) ||
        !finite(onPicture))
        return;
    widenDrawnBox(onPicture);
    if (!painter_ || box.isEmpty())
        return;
    applyClip();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    switch (rop) {
    case U_SRCPAINT: painter_->setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case U_SRCAND: painter_->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case U_SRCINVERT: painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case U_NOTSRCCOPY: painter_->setCompositionMode(QPainter::RasterOp_NotSource); break;
    default: break;
    }
    painter_->setTransform(place);
    painter_->drawImage(QRectF(QPointF(0, 0), sourceRect.size()), source, sourceRect);
    painter_->resetTransform();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- EMF paths ------------------------------------------------------------

// A path bracket keeps every point until it is filled or stroked: one past
// this many is refused, as its drawing would be.
void Canvas::pathGrew()
{
    if (path_.elementCount() > maxCallPoints) {
        refuse();
        abortPath();
    }
}

void Canvas::beginPath()
{
    path_ = QPainterPath();
    inPath_ = true;
}

void Canvas::abortPath()
{
    path_ = QPainterPath();
    inPath_ = false;
}

void Canvas::closeFigure()
{
    if (inPath_)
        path_.closeSubpath();
}

void Canvas::pathTo(const QPainterPath& logical)
{
    if (logical.isEmpty() || tooManyPoints(logical.elementCount()))
        return;
    const QPainterPath p = toPicture().map(logical);
    dc.position = logical.currentPosition();
    if (inPath_) {
        if (path_.elementCount() == 0)
            path_ = p;
        else
            path_.connectPath(p);
        pathGrew();
        return;
    }
    drawPicturePath(p, Paint::Stroke);
}

void Canvas::paintPath(Paint paint)
{
    inPath_ = false;
    QPainterPath p = path_;
    path_ = QPainterPath();
    p.setFillRule(dc.fillRule);
    if (!p.isEmpty())
        drawPicturePath(p, paint);
}

void Canvas::clipToPath(int mode)
{
    inPath_ = false;
    QPainterPath p = path_;
    path_ = QPainterPath();
    p.setFillRule(dc.fillRule);
    // Each figure on its own, then together: alternate filling leaves out
    // where figures overlap, winding fills them. Its curves are counted
    // before they are flattened, its regions' rows before they are made.
    if (!spend(callWork + budget_.fill(p, clipBox(), 0)))
        return;
    const std::vector<QPolygonF> rings = polygonsOf(p);
    if (!spend(budget_.polygonRegions(rings, clipBox())))
        return;
    std::vector<QRegion> parts;
    for (const QPolygonF& ring : rings)
        parts.emplace_back(wholePixels(ring), dc.fillRule);
    combineClip(combined(std::move(parts), dc.fillRule == Qt::OddEvenFill ? RegionJoin::ExclusiveOr : RegionJoin::Union), mode);
}

} // namespace kv::metafile
