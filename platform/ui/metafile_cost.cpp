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

    // A fill costs the pixels of its box; a stroke its length times its
    // width, but never more than the box it lies in.
    void shape(const QPolygonF& polygon, bool filled)
    {
        ++cost.shapes;
        cost.points += polygon.size();
        if (polygon.isEmpty())
            return;
        const QPolygonF onDevice = transform_.map(polygon);
        const bool stroked = pen_.style() != Qt::NoPen;
        const double scale = std::sqrt(std::fabs(transform_.determinant()));
        const double penWidth = stroked ? std::max(1.0, pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * scale) : 0.0;
        const double box = covered(onDevice.boundingRect().adjusted(-penWidth, -penWidth, penWidth, penWidth));
        if (!std::isfinite(box))
            return;
        if (filled)
            cost.pixels += box;
        if (stroked) {
            double length = 0;
            for (qsizetype i = 1; i < onDevice.size(); ++i)
                length += std::hypot(onDevice[i].x() - onDevice[i - 1].x(), onDevice[i].y() - onDevice[i - 1].y());
            if (std::isfinite(length))
                cost.pixels += std::min(box, length * penWidth);
            else
                cost.pixels += box;
        }
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
