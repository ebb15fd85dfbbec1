// The device context: map modes, objects, saved states and clipping.
#include "platform/metafile/metafile_canvas.h"

#include "platform/metafile/metafile_font.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace kv::metafile {
namespace {

// SaveDC deeper than this is not kept: each saved state holds a clip region.
constexpr std::size_t maxSavedStates = 256;

} // namespace

Canvas::Canvas(QPainter* painter, const DeviceSetup& setup, std::size_t objectSlots, double budget)
    : painter_(painter), setup_(setup), budget_(setup.picture.height(), budget), objects_(objectSlots),
      freeSlots_(objectSlots), listed_(objectSlots, true), fonts_(std::make_unique<DrawnFonts>())
{
    if (!setup.viewportExt.isEmpty())
        setViewportExt(setup.viewportExt);
    // Every slot in order: already a heap, lowest first.
    for (std::size_t i = 0; i < objectSlots; ++i)
        freeSlots_[i] = i;
}

Canvas::~Canvas() = default;

QTransform Canvas::toPicture() const
{
    double sx = 1, sy = 1;
    const double mm = setup_.devicePixelsPerMm;
    switch (dc.mapMode) {
    case U_MM_LOMETRIC: sx = mm * 0.1; sy = -sx; break;
    case U_MM_HIMETRIC: sx = mm * 0.01; sy = -sx; break;
    case U_MM_LOENGLISH: sx = mm * 0.254; sy = -sx; break;
    case U_MM_HIENGLISH: sx = mm * 0.0254; sy = -sx; break;
    case U_MM_TWIPS: sx = mm * 25.4 / 1440; sy = -sx; break;
    case U_MM_ISOTROPIC:
    case U_MM_ANISOTROPIC: {
        // A viewport never set follows the window: a logical unit is a device unit.
        const QSizeF viewport = dc.viewportExtSet ? dc.viewportExt : dc.windowExt;
        sx = viewport.width() / dc.windowExt.width();
        sy = viewport.height() / dc.windowExt.height();
        if (dc.mapMode == U_MM_ISOTROPIC) {
            const double s = std::min(std::fabs(sx), std::fabs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
        break;
    }
    default: break;
    }
    const QTransform page(sx, 0, 0, sy, dc.viewportOrg.x() - dc.windowOrg.x() * sx,
                          dc.viewportOrg.y() - dc.windowOrg.y() * sy);
    return dc.world * page * setup_.deviceToPicture;
}

// What QTransform::map gives, to the bit, without its call a point: an
// outline may hold hundreds of thousands.
QPolygonF Canvas::inPicture(QPolygonF points) const
{
    const QTransform t = toPicture();
    const double m11 = t.m11(), m12 = t.m12(), m21 = t.m21(), m22 = t.m22(), dx = t.dx(), dy = t.dy();
    QPointF* p = points.data();
    const qsizetype n = points.size();
    switch (t.type()) {
    case QTransform::TxNone: break;
    case QTransform::TxTranslate:
        for (qsizetype i = 0; i < n; ++i)
            p[i] = QPointF(p[i].x() + dx, p[i].y() + dy);
        break;
    case QTransform::TxScale:
        for (qsizetype i = 0; i < n; ++i)
            p[i] = QPointF(m11 * p[i].x() + dx, m22 * p[i].y() + dy);
        break;
    case QTransform::TxRotate:
    case QTransform::TxShear:
        for (qsizetype i = 0; i < n; ++i) {
            const double x = p[i].x(), y = p[i].y();
            p[i] = QPointF(m11 * x + m21 * y + dx, m12 * x + m22 * y + dy);
        }
        break;
    default: return t.map(points);
    }
    return points;
}

double Canvas::unitScale() const
{
    const QTransform t = toPicture();
    return std::sqrt(std::fabs(t.m11() * t.m22() - t.m12() * t.m21()));
}

void Canvas::setMapMode(int mode)
{
    if (mode >= U_MM_MIN && mode <= U_MM_MAX)
        dc.mapMode = mode;
}

void Canvas::setWindowExt(QSizeF extent)
{
    if (extent.width() == 0 || extent.height() == 0)
        return;
    dc.windowExt = extent;
    dc.windowExtSet = true;
}

void Canvas::setViewportExt(QSizeF extent)
{
    if (extent.width() == 0 || extent.height() == 0)
        return;
    dc.viewportExt = extent;
    dc.viewportExtSet = true;
}

void Canvas::scaleWindow(int xNum, int xDen, int yNum, int yDen)
{
    if (xNum && xDen && yNum && yDen)
        setWindowExt(QSizeF(dc.windowExt.width() * xNum / xDen, dc.windowExt.height() * yNum / yDen));
}

void Canvas::scaleViewport(int xNum, int xDen, int yNum, int yDen)
{
    if (!(xNum && xDen && yNum && yDen))
        return;
    const QSizeF from = dc.viewportExtSet ? dc.viewportExt : dc.windowExt;
    setViewportExt(QSizeF(from.width() * xNum / xDen, from.height() * yNum / yDen));
}

// The heap keeps the slots freed in the order GDI reuses them: the lowest
// first. A slot taken since it was listed (an EMF names its slots) leaves the
// heap when it comes to the top.
std::optional<std::size_t> Canvas::freeSlot()
{
    const auto lowestFirst = std::greater<std::size_t>();
    while (!freeSlots_.empty() && !std::holds_alternative<std::monostate>(objects_[freeSlots_.front()])) {
        listed_[freeSlots_.front()] = false;
        std::pop_heap(freeSlots_.begin(), freeSlots_.end(), lowestFirst);
        freeSlots_.pop_back();
    }
    if (freeSlots_.empty())
        return std::nullopt;
    return freeSlots_.front();
}

void Canvas::create(std::size_t slot, GdiObject object)
{
    if (slot >= objects_.size())
        return;
    if (const auto* brush = std::get_if<BrushSpec>(&object))
        spend(decodedPixelWork * double(brush->pattern.width()) * double(brush->pattern.height()));
    objects_[slot] = std::move(object);
}

const GdiObject* Canvas::object(std::size_t slot) const
{
    return slot < objects_.size() ? &objects_[slot] : nullptr;
}

void Canvas::select(std::size_t slot)
{
    const GdiObject* o = object(slot);
    if (!o)
        return;
    if (const auto* pen = std::get_if<PenSpec>(o))
        dc.pen = *pen;
    else if (const auto* brush = std::get_if<BrushSpec>(o))
        dc.brush = *brush;
    else if (const auto* font = std::get_if<FontSpec>(o))
        dc.font = *font;
}

void Canvas::remove(std::size_t slot)
{
    if (slot >= objects_.size())
        return;
    objects_[slot] = std::monostate();
    if (!listed_[slot]) {
        listed_[slot] = true;
        freeSlots_.push_back(slot);
        std::push_heap(freeSlots_.begin(), freeSlots_.end(), std::greater<std::size_t>());
    }
}

// The stock objects GDI holds for every device context (U_WHITE_BRUSH ...).
void Canvas::selectStock(quint32 stock)
{
    constexpr int greys[] = {255, 192, 128, 64, 0}; // white, light grey, grey, dark grey, black
    switch (stock) {
    case U_WHITE_BRUSH: case U_LTGRAY_BRUSH: case U_GRAY_BRUSH: case U_DKGRAY_BRUSH: case U_BLACK_BRUSH: {
        const int grey = greys[stock - U_WHITE_BRUSH];
        dc.brush = BrushSpec{U_BS_SOLID, QColor(grey, grey, grey), 0, {}};
        break;
    }
    case U_NULL_BRUSH: dc.brush = BrushSpec{U_BS_NULL, Qt::white, 0, {}}; break;
    case U_WHITE_PEN: dc.pen = PenSpec{U_PS_SOLID, 0, true, Qt::white, {}}; break;
    case U_BLACK_PEN: dc.pen = PenSpec{U_PS_SOLID, 0, true, Qt::black, {}}; break;
    case U_NULL_PEN: dc.pen = PenSpec{U_PS_NULL, 0, true, Qt::black, {}}; break;
    case U_OEM_FIXED_FONT: case U_ANSI_FIXED_FONT: case U_ANSI_VAR_FONT: case U_SYSTEM_FONT:
    case U_DEVICE_DEFAULT_FONT: case U_SYSTEM_FIXED_FONT: case U_DEFAULT_GUI_FONT:
        dc.font = FontSpec();
        break;
    default: break;
    }
}

void Canvas::save()
{
    if (saved_.size() < maxSavedStates)
        saved_.push_back(dc);
}

void Canvas::restore(int which)
{
    const qint64 count = qint64(saved_.size());
    const qint64 index = which < 0 ? count + which : qint64(which) - 1;
    if (index < 0 || index >= count)
        return;
    dc = saved_[std::size_t(index)];
    saved_.resize(std::size_t(index));
}

// ---- clipping ------------------------------------------------------------

QRectF Canvas::clipBox() const
{
    const QRectF whole(QPointF(0, 0), QSizeF(setup_.picture));
    return dc.clip ? QRectF(dc.clip->boundingRect()).intersected(whole) : whole;
}

double Canvas::clipWork() const
{
    return dc.clip ? regionRectWork * dc.clip->rectCount() : 0.0;
}

void Canvas::applyClip()
{
    if (clipApplied_ && appliedClip_ == dc.clip)
        return;
    if (dc.clip)
        painter_->setClipRegion(*dc.clip);
    else
        painter_->setClipping(false);
    appliedClip_ = dc.clip;
    clipApplied_ = true;
}

int wholePixel(double v)
{
    return std::isfinite(v) ? int(std::lround(std::clamp(v, -maxPixelCoordinate, maxPixelCoordinate))) : 0;
}

QPolygon wholePixels(const QPolygonF& polygon)
{
    QPolygon out;
    out.reserve(polygon.size());
    for (const QPointF& p : polygon)
        out << QPoint(wholePixel(p.x()), wholePixel(p.y()));
    return out;
}

// GDI's clip rectangles leave out their right and bottom edges: a rectangle
// is the device pixels from its left up to its right. Turned by a world
// transform, it is a polygon's region, made of the rows it covers on the
// picture (and a pixel around): a row a rectangle, counted first.
QRegion Canvas::pixelsOf(const QTransform& t, const QRectF& r)
{
    if (t.type() <= QTransform::TxScale) {
        const QRectF m = t.mapRect(r.normalized());
        return QRegion(QRect(QPoint(wholePixel(m.left()), wholePixel(m.top())),
                             QPoint(wholePixel(m.right()) - 1, wholePixel(m.bottom()) - 1)));
    }
    const QRectF around = QRectF(QPointF(0, 0), QSizeF(setup_.picture)).adjusted(-1, -1, 1, 1);
    const QPolygonF turned = t.map(QPolygonF(r.normalized()));
    const QRectF rows = turned.boundingRect().intersected(around);
    if (!std::isfinite(rows.width() + rows.height()))
        return QRegion();
    if (!spend(callWork + polygonRegionRectWork * (rows.isValid() ? rows.height() : 0.0)))
        return QRegion();
    return QRegion(wholePixels(turned.intersected(QPolygonF(around))));
}

void Canvas::intersectClip(const QRectF& logical)
{
    combineClip(pixelsOf(toPicture(), logical), U_RGN_AND);
}

void Canvas::excludeClip(const QRectF& logical)
{
    combineClip(pixelsOf(toPicture(), logical), U_RGN_DIFF);
}

// The clip stays on the picture: the region is cut to it first (which, as
// the clip already lies on it, changes no combination), and the result's
// size is bounded before it is made.
void Canvas::combineClip(const QRegion& region, int mode)
{
    const QRegion whole(QRect(QPoint(0, 0), setup_.picture));
    const QRegion base = dc.clip ? *dc.clip : whole;
    if (mode < U_RGN_MIN || mode > U_RGN_MAX || !spend(callWork + regionRectWork * double(region.rectCount())))
        return;
    const QRegion r = region & whole;
    const double bound = mode == U_RGN_COPY ? 0.0 : regionOpBound(base, r);
    if (bound > regionBoundLimit) {
        refuse();
        return;
    }
    if (!spend(regionRectWork * double(base.rectCount() + r.rectCount()) + regionBoundWork * bound))
        return;
    QRegion next;
    switch (mode) {
    case U_RGN_AND: next = base & r; break;
    case U_RGN_OR: next = base | r; break;
    case U_RGN_XOR: next = base ^ r; break;
    case U_RGN_DIFF: next = base - r; break;
    default: next = r; break; // U_RGN_COPY
    }
    if (next.rectCount() > maxRegionRects)
        refuse();
    dc.clip = next;
}

void Canvas::offsetClip(QPointF logical)
{
    if (!dc.clip || !spend(callWork + regionCopyWork * double(dc.clip->rectCount())))
        return;
    const QTransform t = toPicture();
    const QPointF d = t.map(logical) - t.map(QPointF(0, 0));
    if (!(std::fabs(d.x()) < 1e6 && std::fabs(d.y()) < 1e6))
        return;
    // A clip moved past the pixel coordinates a region holds is passed over:
    // one moved on and on would leave int's range.
    const QPoint by(int(std::lround(d.x())), int(std::lround(d.y())));
    const QRect moved = dc.clip->boundingRect().translated(by);
    const int most = int(maxPixelCoordinate);
    if (std::max({std::abs(moved.left()), std::abs(moved.right()), std::abs(moved.top()), std::abs(moved.bottom())}) <= most)
        dc.clip = dc.clip->translated(by);
}

// Joined pairwise, so that n parts cost about n log n.
QRegion combined(std::vector<QRegion> parts, RegionJoin join)
{
    const bool exclusive = join == RegionJoin::ExclusiveOr;
    while (parts.size() > 1) {
        const std::size_t half = (parts.size() + 1) / 2;
        for (std::size_t i = 0; i < parts.size() / 2; ++i)
            parts[i] = exclusive ? parts[2 * i] ^ parts[2 * i + 1] : parts[2 * i] | parts[2 * i + 1];
        if (parts.size() % 2)
            parts[half - 1] = parts.back();
        parts.resize(half);
    }
    return parts.empty() ? QRegion() : parts.front();
}

bool Canvas::countRegion(qint64 rectangles)
{
    if (rectangles > maxRegionRects) {
        refuse();
        return false;
    }
    return spend(regionRectWork * double(rectangles));
}

// Each rectangle on the picture (a region drawn or clipped is cut to it
// anyway), then all united: the rectangles may overlap and cross, and the
// union is bounded first.
QRegion Canvas::regionOf(const std::vector<QRect>& rects, RegionUnits units)
{
    const QTransform t = units == RegionUnits::Logical ? toPicture() : setup_.deviceToPicture;
    // Measuring (no painter), the region is kept whole: its box is the drawing's.
    constexpr int most = int(maxPixelCoordinate);
    const QRect whole = painter_ ? QRect(QPoint(0, 0), setup_.picture) : QRect(QPoint(-most, -most), QPoint(most, most));
    std::vector<QRegion> parts;
    std::vector<QRect> boxes;
    parts.reserve(rects.size());
    boxes.reserve(rects.size());
    for (const QRect& r : rects) {
        QRegion part = pixelsOf(t, QRectF(r.topLeft(), QSizeF(r.width(), r.height()))) & whole;
        if (refused())
            return QRegion();
        if (part.isEmpty())
            continue;
        for (const QRect& row : part)
            boxes.push_back(row);
        parts.push_back(std::move(part));
    }
    const double bound = regionUnionBound(boxes);
    const double levels = std::ceil(std::log2(double(parts.size()) + 1));
    if (bound > regionBoundLimit) {
        refuse();
        return QRegion();
    }
    if (!spend(regionBoundWork * bound * levels))
        return QRegion();
    return combined(std::move(parts), RegionJoin::Union);
}

void Canvas::widenDrawnBox(const QRectF& box)
{
    if (!firstDrawingWindow_)
        firstDrawingWindow_ = Window{dc.mapMode, dc.windowOrg, dc.windowExt, dc.windowExtSet};
    if (box.isValid() || box.width() > 0 || box.height() > 0)
        drawn_ = drawn_.isNull() ? box : drawn_.united(box);
}

} // namespace kv::metafile
