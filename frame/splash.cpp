#include "frame/splash.h"

#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace kv {

namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, double points, bool italic,
                 int leftTwips, int topTwips, int widthTwips, Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPointSizeF(points);
    f.setBold(true);
    f.setItalic(italic);
    l->setFont(f);
    l->setAlignment(align);
    l->setStyleSheet(QStringLiteral("color: #102040; background: transparent;"));
    l->adjustSize();
    l->setGeometry(twipsToPixels(leftTwips), twipsToPixels(topTwips), twipsToPixels(widthTwips), l->height());
    return l;
}

} // namespace

Splash::Splash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(twipsToPixels(4800), twipsToPixels(2970));

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("Kavrinol   v1.0"), 13.5, true, 360, 240, 4200,
             Qt::AlignLeft);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("构造地质学工具软件包"), 18, false, 360, 840, 4200,
             Qt::AlignLeft);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("适用于 Win98/2000/XP"), 9.75, false, 2160, 1560,
             2400, Qt::AlignRight);
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("构造地质软件工作室  2004年6月"), 9.75, false, 240,
             2520, 4320, Qt::AlignCenter);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
}

void Splash::paintEvent(QPaintEvent*)
{
    // A 400 x 248 background drawn from the top-left corner: sky over folded strata.
    QPainter p(this);
    QLinearGradient sky(0, 0, 0, 248);
    sky.setColorAt(0, QColor(200, 220, 245));
    sky.setColorAt(1, QColor(250, 245, 225));
    p.fillRect(QRect(0, 0, 400, 248), sky);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor layers[] = {QColor(214, 186, 140), QColor(184, 150, 104), QColor(226, 204, 160),
                             QColor(160, 128, 88)};
    for (int i = 0; i < 4; ++i) {
        QPainterPath path;
        const double y0 = 140 + i * 16;
        path.moveTo(0, 248);
        path.lineTo(0, y0);
        for (int x = 0; x <= 400; x += 8)
            path.lineTo(x, y0 - 14 * std::sin(x / 40.0));
        path.lineTo(400, 248);
        p.fillPath(path, layers[i]);
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kv
