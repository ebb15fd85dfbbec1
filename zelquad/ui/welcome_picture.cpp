#include "zelquad/ui/welcome_picture.h"

#include <QFont>
#include <QPainter>

namespace zq {

QImage builtInWelcomePicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int r = std::min(size.width(), size.height()) / 3;
    const QPoint centre(size.width() / 4 + 8, size.height() / 2);
    // A net with a few poles and a petal: what the program draws.
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.drawEllipse(centre, r, r);
    p.drawLine(centre.x() - r, centre.y(), centre.x() + r, centre.y());
    p.drawLine(centre.x(), centre.y() - r, centre.x(), centre.y() + r);
    p.setPen(QPen(QColor(0, 160, 0), 1));
    p.drawEllipse(centre + QPoint(r / 3, r / 4), r / 3, r / 4);
    p.drawEllipse(centre + QPoint(r / 3, r / 4), r / 6, r / 8);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(centre, centre + QPoint(-r / 2, -r * 3 / 4));
    QFont title(QStringLiteral("WenQuanYi Micro Hei"));
    title.setPixelSize(std::max(10, size.height() / 7));
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 128));
    const QRect text(size.width() / 2, 0, size.width() / 2, size.height());
    p.drawText(text, Qt::AlignCenter, QStringLiteral("Zelquad\nV2.1"));
    QFont small(QStringLiteral("WenQuanYi Micro Hei"));
    small.setPixelSize(std::max(8, size.height() / 14));
    p.setFont(small);
    p.drawText(text.adjusted(0, 0, 0, -size.height() / 10), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("裂隙产状绘图"));
    return image;
}

QImage welcomePicture(const QSize& size)
{
    const QImage file(QStringLiteral("Welcome.bmp"));
    if (file.isNull())
        return builtInWelcomePicture(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage fitted = file.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter(&image).drawImage((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2, fitted);
    return image;
}

} // namespace zq
