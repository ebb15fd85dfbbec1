#include "tests/zelquad_ui/cad_render.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zq::test {

using kv::test::CadDrawing;
using kv::test::CadEntity;

namespace {

// White draws black on a white sheet; yellow is darkened to stay visible.
QColor colourOf(const std::string& name)
{
    if (name == "RED")
        return QColor(220, 0, 0);
    if (name == "BLUE")
        return QColor(0, 0, 230);
    if (name == "GREEN")
        return QColor(0, 160, 0);
    if (name == "YELLOW")
        return QColor(200, 160, 0);
    return Qt::black;
}

struct Mapping {
    const CadDrawing& d;
    double scale;
    QPointF operator()(double x, double y) const
    {
        return {(x - d.limitsLow.x) * scale, (d.limitsHigh.y - y) * scale};
    }
    QPointF operator()(const kv::test::CadPoint& p) const { return (*this)(p.x, p.y); }
};

QPen penFor(const CadDrawing& d, const CadEntity& e)
{
    const auto layer = d.layers.find(e.layer);
    const kv::test::CadLayer props = layer == d.layers.end() ? kv::test::CadLayer{} : layer->second;
    QPen pen(colourOf(props.colour), 1);
    const std::string type = e.lineType == "BYLAYER" ? props.lineType : e.lineType;
    if (type.rfind("DASHED", 0) == 0)
        pen.setDashPattern({6, 4});
    return pen;
}

void drawText(QPainter& p, const Mapping& map, const CadEntity& e)
{
    QString text = QString::fromStdString(e.text);
    text.replace(QStringLiteral("%%d"), QStringLiteral("°"));
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(std::max(4, static_cast<int>(std::lround(e.height * map.scale * 1.3))));
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(text);
    const double h = e.height * map.scale;
    const QPointF at = map(e.points[0]);
    const std::string& j = e.justification;
    double dx = 0, dy = 0; // from the insertion point to the base-line start
    const char horizontal = j.empty() ? 'L' : j.back();
    const char vertical = j.size() == 2 ? j.front() : 'B';
    if (horizontal == 'C')
        dx = -w / 2;
    else if (horizontal == 'R')
        dx = -w;
    if (vertical == 'M')
        dy = h / 2;
    else if (vertical == 'T')
        dy = h;
    p.drawText(at + QPointF(dx, dy), text);
}

} // namespace

QPoint cadPixel(const CadDrawing& drawing, double pixelsPerUnit, double x, double y)
{
    return Mapping{drawing, pixelsPerUnit}(x, y).toPoint();
}

QImage renderCadDrawing(const CadDrawing& d, double scale)
{
    const Mapping map{d, scale};
    const QSizeF size((d.limitsHigh.x - d.limitsLow.x) * scale, (d.limitsHigh.y - d.limitsLow.y) * scale);
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // Lines without antialiasing keep their layer colour exact; text stays smooth.
    for (const CadEntity& e : d.entities) {
        p.setPen(penFor(d, e));
        switch (e.kind) {
        case CadEntity::Kind::Line:
            p.drawLine(map(e.points[0]), map(e.points[1]));
            break;
        case CadEntity::Kind::Circle:
            p.drawEllipse(map(e.points[0]), e.radius * scale, e.radius * scale);
            break;
        case CadEntity::Kind::Arc: {
            const auto& c = e.points[0];
            const double r = std::hypot(e.points[1].x - c.x, e.points[1].y - c.y);
            const double start = std::atan2(e.points[1].y - c.y, e.points[1].x - c.x) * 180 / M_PI;
            double end = std::atan2(e.points[2].y - c.y, e.points[2].x - c.x) * 180 / M_PI;
            if (end <= start)
                end += 360;
            const QPointF centre = map(c);
            p.drawArc(QRectF(centre.x() - r * scale, centre.y() - r * scale, 2 * r * scale, 2 * r * scale),
                      static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround((end - start) * 16)));
            break;
        }
        case CadEntity::Kind::Text:
            drawText(p, map, e);
            break;
        case CadEntity::Kind::Spline: {
            // Through the fit points; a spline bends between them, the polyline shows where it passes.
            QPainterPath path(map(e.points[0]));
            for (std::size_t i = 1; i < e.points.size(); ++i)
                path.lineTo(map(e.points[i]));
            p.drawPath(path);
            break;
        }
        }
    }
    return image;
}

} // namespace zq::test
