#include "fold/ui/true_thickness_illustration.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace kv {

namespace {

constexpr int kWidth = 218;
constexpr int kHeight = 210;
constexpr double kDipDegrees = 40;      // of the stratum, as drawn
constexpr double kTraverseDegrees = 15; // inclination of the traverse, as drawn
constexpr double kSlopeDistance = 150;  // pixels

QPointF along(const QPointF& from, double degreesBelowHorizontal, double length)
{
    const double r = qDegreesToRadians(degreesBelowHorizontal);
    return from + QPointF(std::cos(r) * length, std::sin(r) * length);
}

void label(QPainter& p, const QPointF& at, const QString& text)
{
    p.drawText(QRectF(at.x() - 10, at.y() - 10, 20, 20), Qt::AlignCenter, text);
}

} // namespace

QPixmap trueThicknessIllustration()
{
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The traverse from A up to B, the stratum's two boundaries through them.
    const QPointF a(30, 120);
    const QPointF b = along(a, -kTraverseDegrees, kSlopeDistance);
    const QPointF dip = along({0, 0}, kDipDegrees, 1);
    const double reach = 400;
    QPainterPath band;
    band.moveTo(a - dip * reach);
    band.lineTo(a + dip * reach);
    band.lineTo(b + dip * reach);
    band.lineTo(b - dip * reach);
    band.closeSubpath();
    p.fillPath(band, QColor(240, 220, 160));
    p.setPen(QPen(QColor(120, 80, 20), 1.5));
    p.drawLine(a - dip * reach, a + dip * reach);
    p.drawLine(b - dip * reach, b + dip * reach);

    // The true thickness: square to the boundaries, from B to the foot F.
    const QPointF ab = b - a;
    const QPointF foot = a + dip * (ab.x() * dip.x() + ab.y() * dip.y());
    p.setPen(QPen(QColor(200, 0, 0), 1.5));
    p.drawLine(b, foot);
    const QPointF toB = (b - foot) / std::hypot(b.x() - foot.x(), b.y() - foot.y());
    p.setPen(QPen(QColor(200, 0, 0), 1));
    p.drawPolyline(QPolygonF({foot + toB * 8, foot + toB * 8 - dip * 8, foot - dip * 8}));

    // Horizontal references at A (for β) and where the upper boundary meets it (for α).
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawLine(a, a + QPointF(70, 0));
    const QPointF top = b - dip * 60;
    p.drawLine(top, top + QPointF(60, 0));

    p.setPen(QPen(QColor(0, 0, 200), 2));
    p.drawLine(a, b);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(a, 2.5, 2.5);
    p.drawEllipse(b, 2.5, 2.5);

    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(a.x() - 40, a.y() - 40, 80, 80), 0, int(kTraverseDegrees * 16));
    p.drawArc(QRectF(top.x() - 30, top.y() - 30, 60, 60), int(-kDipDegrees * 16), int(kDipDegrees * 16));
    QFont f = p.font();
    f.setPixelSize(13);
    f.setItalic(true);
    p.setFont(f);
    label(p, a + QPointF(52, -7), QStringLiteral("β"));
    label(p, top + QPointF(40, 14), QStringLiteral("α"));
    label(p, (a + b) / 2 + QPointF(-4, -14), QStringLiteral("L"));
    label(p, (b + foot) / 2 + QPointF(12, 4), QStringLiteral("h"));
    label(p, a + QPointF(-10, 10), QStringLiteral("A"));
    label(p, b + QPointF(8, -10), QStringLiteral("B"));

    p.setPen(Qt::gray);
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return pixmap;
}

} // namespace kv
