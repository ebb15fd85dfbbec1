// What drawing a metafile's SVG would cost, measured by playing the SVG onto a
// device that only sums up what it is asked to draw.
#include "platform/ui/metafile_svg.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace kv::metafile {
namespace {

class CostEngine : public QPaintEngine {
public:
    explicit CostEngine(QRectF device) : QPaintEngine(AllFeatures), device_(device) {}

    DrawingCost cost;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
    }

    void drawPath(const QPainterPath& path) override
    {
        QPolygonF outline;
        outline.reserve(path.elementCount());
        for (int i = 0; i < path.elementCount(); ++i)
            outline << QPointF(path.elementAt(i));
        shape(outline, brush_.style() != Qt::NoBrush);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        shape(QPolygonF(QList<QPointF>(points, points + count)), mode != PolylineMode && brush_.style() != Qt::NoBrush);
    }

    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        polygon.reserve(count);
        for (int i = 0; i < count; ++i)
            polygon << QPointF(points[i]);
        shape(polygon, mode != PolylineMode && brush_.style() != Qt::NoBrush);
    }

    void drawTextItem(const QPointF& p, const QTextItem& text) override
    {
        area(QRectF(p.x(), p.y() - text.ascent(), text.width(), text.ascent() + text.descent()));
    }

    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { area(r); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { area(r); }
    void drawTiledPixmap(const QRectF& r, const QPixmap&, const QPointF&) override { area(r); }

private:
    // The pixels of the device a rectangle covers.
    double covered(const QRectF& r) const
    {
        const QRectF onDevice = r.intersected(device_);
        return onDevice.isValid() ? onDevice.width() * onDevice.height() : 0.0;
    }

    void area(const QRectF& r)
    {
        ++cost.shapes;
        cost.pixels += covered(transform_.mapRect(r));
    }

    // A fill costs the pixels of its box and its edges' length: the
    // rasteriser walks every edge across the cells it crosses. A stroke is
    // turned into an outline of its own and filled, piece by piece: it costs
    // its length times its width (and a little more, the outline's edges),
    // and its width again at every join, never capped by its box: a zigzag
    // with a thick pen overlaps itself thousands of times inside a small box,
    // and every overlap is drawn. Lengths are measured with the points held
    // to the device (and the pen's width around it), since what lies beyond
    // is clipped away.
    void shape(const QPolygonF& polygon, bool filled)
    {
        ++cost.shapes;
        cost.points += polygon.size();
        if (polygon.isEmpty())
            return;
        const bool stroked = pen_.style() != Qt::NoPen;
        const double scale = std::sqrt(std::fabs(transform_.determinant()));
        const double penWidth = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * scale;
        const double width = stroked ? std::clamp(penWidth, 1.0, device_.width() + device_.height()) : 0.0;
        const QRectF around = device_.adjusted(-width, -width, width, width);
        const auto held = [&around](QPointF p) {
            return QPointF(std::clamp(p.x(), around.left(), around.right()),
                           std::clamp(p.y(), around.top(), around.bottom()));
        };
        double length = 0;
        double left = around.right(), top = around.bottom(), right = around.left(), bottom = around.top();
        std::optional<QPointF> previous;
        for (const QPointF& point : polygon) {
            const QPointF p = held(transform_.map(point));
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            if (previous)
                length += std::hypot(p.x() - previous->x(), p.y() - previous->y());
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
            previous = p;
        }
        const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-width, -width, width, width);
        if (filled)
            cost.pixels += covered(box) + length;
        if (stroked)
            cost.pixels += strokedPixelWeight * (length * (width + strokeEdgeWidth) + double(polygon.size()) * width);
    }

    QRectF device_;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
};

class CostDevice : public QPaintDevice {
public:
    explicit CostDevice(QSize size) : size_(size), engine_(QRectF(QPointF(0, 0), QSizeF(size))) {}
    ~CostDevice() override = default;

    QPaintEngine* paintEngine() const override { return &engine_; }
    const DrawingCost& cost() const { return engine_.cost; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return qRound(size_.width() * 25.4 / screenDotsPerInch);
        case PdmHeightMM: return qRound(size_.height() * 25.4 / screenDotsPerInch);
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return int(screenDotsPerInch);
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize size_;
    mutable CostEngine engine_;
};

} // namespace

DrawingCost drawingCost(QSvgRenderer& renderer, QSize size)
{
    CostDevice device(size);
    QPainter painter(&device);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return device.cost();
}

bool withinBudget(const DrawingCost& cost)
{
    return cost.pixels + drawnPixelsPerPoint * double(cost.points + cost.shapes) <= maxDrawingWork;
}

} // namespace kv::metafile
