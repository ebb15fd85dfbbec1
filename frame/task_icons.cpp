#include "frame/task_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace kv {

namespace {

constexpr int size = 32;

void net(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setBrush(Qt::NoBrush);
}

void drawIcon(QPainter& p, ToolIcon icon)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case ToolIcon::ChordWheel: // reverse wheel: a wheel of chords
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawEllipse(QPointF(16, 16), 12, 12);
        for (int a = 0; a < 180; a += 30) {
            const double r = qDegreesToRadians(double(a));
            p.drawLine(QPointF(16 - 12 * cos(r), 16 - 12 * sin(r)), QPointF(16 + 12 * cos(r), 16 + 12 * sin(r)));
        }
        break;
    case ToolIcon::FryCentres: // Fry: centres around an ellipse
        p.setPen(QPen(QColor(160, 0, 0), 1.5));
        p.drawEllipse(QPointF(16, 16), 13, 7);
        p.setBrush(Qt::black);
        for (auto pt : {QPointF(6, 8), QPointF(25, 7), QPointF(10, 25), QPointF(24, 24), QPointF(16, 16), QPointF(4, 18), QPointF(28, 15)})
            p.drawEllipse(pt, 1.5, 1.5);
        break;
    case ToolIcon::ShearedGrid: { // grid method: a sheared grid
        p.setPen(QPen(QColor(0, 110, 0), 1.2));
        for (int i = 0; i <= 4; ++i) {
            p.drawLine(QPointF(4 + i * 4, 28), QPointF(12 + i * 4, 4));
            p.drawLine(QPointF(4 + i * 2, 28 - i * 6), QPointF(20 + i * 2, 28 - i * 6));
        }
        break;
    }
    case ToolIcon::NetContours: // preferred orientation: net with contours
        net(p);
        p.setPen(QPen(QColor(200, 0, 0), 1.2));
        p.drawEllipse(QPointF(20, 12), 5, 3.5);
        p.drawEllipse(QPointF(20, 12), 2, 1.5);
        p.setPen(QPen(QColor(0, 0, 200), 1.2));
        p.drawEllipse(QPointF(11, 21), 4, 3);
        break;
    case ToolIcon::Rose: { // rose diagram
        net(p);
        QPainterPath rose;
        rose.moveTo(16, 16);
        const int radius[] = {12, 4, 9, 3, 11, 5, 8, 2, 10, 6, 7, 3};
        for (int k = 0; k < 12; ++k) {
            const double a = qDegreesToRadians(k * 30.0 + 15);
            rose.lineTo(16 + radius[k] * sin(a), 16 - radius[k] * cos(a));
            rose.lineTo(16, 16);
        }
        p.setPen(QPen(QColor(0, 150, 150), 1));
        p.setBrush(QColor(0, 220, 220));
        p.drawPath(rose);
        break;
    }
    case ToolIcon::ThreePoints: // three points on a plane
        p.setPen(QPen(QColor(90, 60, 20), 1.2));
        p.setBrush(QColor(230, 210, 160));
        p.drawPolygon(QPolygonF({QPointF(3, 22), QPointF(20, 27), QPointF(29, 10), QPointF(12, 5)}));
        p.setBrush(Qt::red);
        for (auto pt : {QPointF(9, 18), QPointF(20, 22), QPointF(20, 10)})
            p.drawEllipse(pt, 2.2, 2.2);
        break;
    case ToolIcon::CurvedLine: { // line curvature
        QPainterPath c;
        c.moveTo(3, 26);
        c.cubicTo(10, 0, 20, 34, 29, 6);
        p.setPen(QPen(Qt::black, 2));
        p.drawPath(c);
        p.setPen(QPen(Qt::red, 1));
        p.drawEllipse(QPointF(9, 14), 5, 5);
        break;
    }
    case ToolIcon::Thickness: // true thickness: tilted strata
        for (int i = 0; i < 4; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(i % 2 ? QColor(200, 170, 110) : QColor(150, 120, 70));
            p.drawPolygon(QPolygonF({QPointF(0, 8 + i * 6), QPointF(32, i * 6), QPointF(32, 6 + i * 6), QPointF(0, 14 + i * 6)}));
        }
        p.setPen(QPen(Qt::blue, 1.5));
        p.drawLine(QPointF(14, 8), QPointF(17, 22));
        break;
    case ToolIcon::FoldedLayer: { // fold rheometer: a folded layer
        QPainterPath f;
        f.moveTo(2, 20);
        f.cubicTo(9, 2, 14, 2, 16, 14);
        f.cubicTo(18, 26, 23, 26, 30, 10);
        p.setPen(QPen(QColor(120, 60, 0), 4));
        p.drawPath(f);
        break;
    }
    case ToolIcon::Petrofabric: // petrofabric: net with many axes
        net(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0));
        for (int k = 0; k < 14; ++k) {
            const double a = k * 2.4, r = 2 + (k * 7 % 10);
            p.drawEllipse(QPointF(16 + r * cos(a), 16 + r * sin(a)), 1, 1);
        }
        break;
    case ToolIcon::PiNet: // pi diagram: poles on a great circle
        net(p);
        p.setPen(QPen(QColor(0, 0, 200), 1));
        p.drawArc(QRectF(6, 3, 20, 26), 90 * 16, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        for (auto pt : {QPointF(9, 10), QPointF(7, 16), QPointF(9, 22), QPointF(12, 26)})
            p.drawEllipse(pt, 1.5, 1.5);
        break;
    case ToolIcon::BetaNet: // beta diagram: great circles meeting in the hinge
        net(p);
        p.setPen(QPen(QColor(0, 120, 0), 1));
        p.drawArc(QRectF(4, 3, 20, 26), 90 * 16, -180 * 16);
        p.drawArc(QRectF(8, 3, 20, 26), 90 * 16, 180 * 16);
        p.setPen(QPen(Qt::red, 1.5));
        p.drawPoint(QPointF(16, 5));
        break;
    }
}

} // namespace

QPixmap taskIcon(ToolIcon icon)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawIcon(p, icon);
    return pm;
}

QPixmap chooserPointer()
{
    // A pointing hand: an arrow with a small net, hot spot at the tip.
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::yellow);
    p.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(1, 18), QPointF(6, 13), QPointF(10, 21), QPointF(13, 19), QPointF(9, 12), QPointF(15, 12)}));
    return pm;
}

QPixmap programIcon()
{
    return taskIcon(ToolIcon::Rose);
}

} // namespace kv
