// The device context: map modes, objects, saved states and clipping.
#include "platform/metafile/metafile_canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kv::metafile {
namespace {

// SaveDC deeper than this is not kept: each saved state holds a clip region.
constexpr std::size_t maxSavedStates = 256;

} // namespace

Canvas::Canvas(QPainter* painter, const DeviceSetup& setup, std::size_t objectSlots)
    : painter_(painter), setup_(setup), budget_(setup.picture.height()), objects_(objectSlots)
{
    if (!setup.viewportExt.isEmpty())
        setViewportExt(setup.viewportExt);
}

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

std::optional<std::size_t> Canvas::freeSlot() const
{
    for (std::size_t i = 0; i < objects_.size(); ++i)
        if (std::holds_alternative<std::monostate>(objects_[i]))
            return i;
    return std::nullopt;
}

void Canvas::create(std::size_t slot, GdiObject object)
{
    if (slot < objects_.size())
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
    if (slot < objects_.size())
        objects_[slot] = std::monostate();
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

QPolygon wholePixels(const QPolygonF& polygon)
{
    constexpr double most = 1e8;
    QPolygon out;
    out.reserve(polygon.size());
    for (const QPointF& p : polygon) {
        const double x = std::isfinite(p.x()) ? std::clamp(p.x(), -most, most) : 0.0;
        const double y = std::isfinite(p.y()) ? std::clamp(p.y(), -most, most) : 0.0;
        out << QPoint(int(std::lround(x)), int(std::lround(y)));
    }
    return out;
}

// GDI's clip rectangles leave out their right and bottom edges: a rectangle
// is the device pixels from its left up to its right.
static QRegion pixelsOf(const QTransform& t, const QRectF& r)
{
    if (t.type() <= QTransform::TxScale) {
        const QRectF m = t.mapRect(r.normalized());
        const QPoint tl(int(std::lround(std::clamp(m.left(), -1e8, 1e8))), int(std::lround(std::clamp(m.top(), -1e8, 1e8))));
        const QPoint br(int(std::lround(std::clamp(m.right(), -1e8, 1e8))), int(std::lround(std::clamp(m.bottom(), -1e8, 1e8))));
        return QRegion(QRect(tl, br - QPoint(1, 1)));
    }
    return QRegion(wholePixels(t.map(QPolygonF(r))));
}

void Canvas::intersectClip(const QRectF& logical)
{
    combineClip(pixelsOf(toPicture(), logical), U_RGN_AND);
}

void Canvas::excludeClip(const QRectF& logical)
{
    combineClip(pixelsOf(toPicture(), logical), U_RGN_DIFF);
}

void Canvas::combineClip(const QRegion& r, int mode)
{
    const QRegion whole(QRect(QPoint(0, 0), setup_.picture));
    const QRegion base = dc.clip ? *dc.clip : whole;
    if (!spend(callWork + regionRectWork * (base.rectCount() + r.rectCount())))
        return;
    QRegion next;
    switch (mode) {
    case U_RGN_AND: next = base & r; break;
    case U_RGN_OR: next = base | r; break;
    case U_RGN_XOR: next = base ^ r; break;
    case U_RGN_DIFF: next = base - r; break;
    case U_RGN_COPY: next = r; break;
    default: return;
    }
    next &= whole;
    if (next.rectCount() > maxRegionRects)
        refuse();
    dc.clip = next;
}

void Canvas::offsetClip(QPointF logical)
{
    if (!dc.clip)
        return;
    const QTransform t = toPicture();
    const QPointF d = t.map(logical) - t.map(QPointF(0, 0));
    if (std::fabs(d.x()) < 1e6 && std::fabs(d.y()) < 1e6)
        dc.clip = dc.clip->translated(int(std::lround(d.x())), int(std::lround(d.y())));
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

QRegion Canvas::regionOf(const std::vector<QRect>& rects, RegionUnits units) const
{
    const QTransform t = units == RegionUnits::Logical ? toPicture() : setup_.deviceToPicture;
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const QRect& r : rects)
        parts.push_back(pixelsOf(t, QRectF(r.topLeft(), QSizeF(r.width(), r.height()))));
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
