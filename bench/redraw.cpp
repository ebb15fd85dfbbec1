#include "bench/redraw.h"

#include "kit/core/net_canvas.h"
#include "platform/ui/drawing_painter.h"
#include "platform/ui/picture_box.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <string>
#include <variant>

namespace kv::bench {

Frame netFrame()
{
    const NetCanvas& c = kNetCanvas;
    return {c.width, c.height, c.scaleX1, c.scaleY1, c.scaleX2, c.scaleY2};
}

namespace {

class PlainPainter {
public:
    PlainPainter(QImage& image, const Frame& frame)
        : painter_(&image)
        , frame_(frame)
        , sx_(frame.width / (frame.x2 - frame.x1))
        , sy_(frame.height / (frame.y2 - frame.y1))
    {
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }

    void operator()(const LineItem& item)
    {
        pen(item.stroke);
        painter_.drawLine(pixel(item.from), pixel(item.to));
    }
    void operator()(const PolylineItem& item)
    {
        pen(item.stroke);
        painter_.drawPolyline(polygon(item.points));
    }
    void operator()(const PolygonItem& item)
    {
        pen(item.stroke);
        painter_.setBrush(item.fill ? QBrush(colour(*item.fill)) : QBrush());
        painter_.drawPolygon(polygon(item.points));
    }
    void operator()(const CircleItem& item)
    {
        pen(item.stroke);
        painter_.setBrush(item.fill ? QBrush(colour(*item.fill)) : QBrush());
        const double r = std::fabs(item.radius * sx_);
        painter_.drawEllipse(QPointF(pixel(item.centre)), r, r);
    }
    void operator()(const ArcItem& item)
    {
        pen(item.stroke);
        const double r = std::fabs(item.radius * sx_);
        const QPointF c(pixel(item.centre));
        const auto sixteenths = [](double rad) { return static_cast<int>(std::lround(rad * 180 / M_PI * 16)); };
        painter_.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), sixteenths(item.startRad),
                         sixteenths(item.endRad - item.startRad));
    }
    void operator()(const DotItem& item)
    {
        const QPoint p = pixel(item.at);
        const int w = std::max(item.width, 1);
        painter_.fillRect(QRect(p.x() - (w - 1) / 2, p.y() - (w - 1) / 2, w, w), colour(item.colour));
    }
    void operator()(const TextItem& item)
    {
        QFont font = painter_.font();
        if (item.fontSize > 0)
            font.setPointSizeF(item.fontSize);
        font.setBold(item.bold);
        painter_.setFont(font);
        painter_.setPen(colour(item.colour));
        if (item.at)
            textAt_ = QPointF(pixel(*item.at));
        const QString text = QString::fromStdString(item.text);
        const QFontMetricsF metrics(font);
        painter_.drawText(textAt_ + QPointF(0, metrics.ascent()), text);
        if (item.newLine)
            textAt_ = QPointF(0, textAt_.y() + metrics.height());
        else
            textAt_.rx() += metrics.horizontalAdvance(text);
    }

private:
    static QColor colour(const Colour& c) { return QColor(c.red, c.green, c.blue); }

    void pen(const Stroke& stroke)
    {
        QPen p(colour(stroke.colour), stroke.width, static_cast<Qt::PenStyle>(static_cast<int>(stroke.style) + 1));
        p.setCosmetic(stroke.width <= 1);
        painter_.setPen(p);
    }
    QPoint pixel(const Point& u) const
    {
        return {static_cast<int>(std::floor((u.x - frame_.x1) * sx_ + 0.5)),
                static_cast<int>(std::floor((u.y - frame_.y1) * sy_ + 0.5))};
    }
    QPolygon polygon(const std::vector<Point>& points) const
    {
        QPolygon out;
        out.reserve(static_cast<int>(points.size()));
        for (const Point& p : points)
            out << pixel(p);
        return out;
    }

    QPainter painter_;
    Frame frame_;
    double sx_, sy_;
    QPointF textAt_;
};

} // namespace

void paintPlainly(QImage& image, const Frame& frame, const Drawing& drawing)
{
    PlainPainter painter(image, frame);
    for (const DrawItem& item : drawing.items)
        std::visit(painter, item);
}

double plainPaintingSeconds(const Frame& frame, const Drawing& drawing, int times)
{
    QImage image(frame.width, frame.height, QImage::Format_RGB32);
    const double start = seconds();
    for (int i = 0; i < times; ++i) {
        image.fill(Qt::white);
        paintPlainly(image, frame, drawing);
    }
    benchmark::DoNotOptimize(image.constBits());
    return (seconds() - start) / std::max(times, 1);
}

void reportAgainst(benchmark::State& state, const char* name, double secondsEach, double referenceEach)
{
    const std::string n(name);
    state.counters[n + "_ms"] = secondsEach * 1e3;
    state.counters[n + "_ref_ms"] = referenceEach * 1e3;
    state.counters[n + "_x_ref"] = referenceEach > 0 ? secondsEach / referenceEach : 0;
}

void benchRedraw(benchmark::State& state, const Frame& frame, const std::function<Drawing()>& build)
{
    PictureBox box;
    box.setPictureSize(frame.width, frame.height);
    box.setScale(frame.x1, frame.y1, frame.x2, frame.y2);
    double building = 0, painting = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        const double t0 = seconds();
        const Drawing drawing = build();
        const double t1 = seconds();
        box.cls();
        paintDrawing(box, drawing);
        const double t2 = seconds();
        building += t1 - t0;
        painting += t2 - t1;
        items = drawing.items.size();
    }
    const double n = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    const double reference = plainPaintingSeconds(frame, build(), static_cast<int>(n));
    state.counters["items"] = static_cast<double>(items);
    state.counters["items_ms"] = building / n * 1e3;
    reportAgainst(state, "paint", painting / n, reference);
}

} // namespace kv::bench
