#include "platform/ui/drawing_painter.h"

#include "platform/ui/picture_box.h"

#include <QColor>
#include <QPolygonF>
#include <QString>

namespace kv {

namespace {

QColor toQColor(const Colour& c)
{
    return QColor(c.red, c.green, c.blue);
}

QPolygonF toPolygon(const std::vector<Point>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()) + 1); // room to close it
    for (const Point& p : points)
        polygon << QPointF(p.x, p.y);
    return polygon;
}

class Painter {
public:
    explicit Painter(PictureBox& picture) : p_(picture) {}

    void operator()(const LineItem& item)
    {
        use(item.stroke);
        p_.line(item.from.x, item.from.y, item.to.x, item.to.y);
    }

    void operator()(const PolylineItem& item)
    {
        use(item.stroke);
        chain(item.points);
    }

    void operator()(const PolygonItem& item)
    {
        use(item.stroke);
        if (item.points.empty())
            return;
        if (item.fill)
            p_.fillPolygon(toPolygon(item.points), toQColor(*item.fill));
        chain(item.points, true);
    }

    void operator()(const CircleItem& item)
    {
        use(item.stroke);
        if (item.fill)
            p_.fillCircle(item.centre.x, item.centre.y, item.radius, toQColor(*item.fill));
        p_.circle(item.centre.x, item.centre.y, item.radius);
    }

    void operator()(const ArcItem& item)
    {
        use(item.stroke);
        p_.circle(item.centre.x, item.centre.y, item.radius, {}, item.startRad, item.endRad);
    }

    void operator()(const DotItem& item)
    {
        p_.setForeColor(toQColor(item.colour));
        p_.setDrawWidth(item.width);
        p_.pset(item.at.x, item.at.y);
    }

    void operator()(const TextItem& item)
    {
        p_.setForeColor(toQColor(item.colour));
        if (item.fontSize > 0)
            p_.setFontSize(item.fontSize);
        p_.setFontBold(item.bold);
        if (item.at)
            p_.setCurrent(item.at->x, item.at->y);
        p_.print(QString::fromStdString(item.text), item.newLine);
    }

private:
    void use(const Stroke& stroke)
    {
        p_.setForeColor(toQColor(stroke.colour));
        p_.setDrawWidth(stroke.width);
        p_.setDrawStyle(static_cast<int>(stroke.style));
    }

    // From the first point through the others, each segment as a line from the
    // current point, so a polyline leaves the current point at its last vertex.
    void chain(const std::vector<Point>& points, bool closed = false)
    {
        QPolygonF polygon = toPolygon(points);
        if (closed && !points.empty())
            polygon << polygon.front();
        p_.polyline(polygon);
    }

    PictureBox& p_;
};

} // namespace

void paintDrawing(PictureBox& picture, const Drawing& drawing)
{
    const DrawingBatch batch(picture);
    Painter painter(picture);
    for (const DrawItem& item : drawing.items)
        std::visit(painter, item);
}

} // namespace kv
