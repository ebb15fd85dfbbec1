#include "fold/ui/rheometer_legend_controls.h"

#include "fold/core/rheometer_legend.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace kv {

namespace {

Qt::PenStyle penStyleOf(LineStyle style)
{
    switch (style) {
    case LineStyle::Dash: return Qt::DashLine;
    case LineStyle::Dot: return Qt::DotLine;
    case LineStyle::DashDot: return Qt::DashDotLine;
    case LineStyle::DashDotDot: return Qt::DashDotDotLine;
    case LineStyle::Solid: break;
    }
    return Qt::SolidLine;
}

// A line or circle control: a line from the widget's top-left corner along its
// extent, or a circle filling the middle of its box with the smaller side as
// diameter. It takes no mouse input of its own.
class LegendShape : public QWidget {
public:
    LegendShape(const LegendControl& control, QWidget* parent) : QWidget(parent), control_(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const QRect box = twipsRect(control.left, control.top, control.width, control.height);
        // A line's widget takes one more pixel each way so both end points show.
        setGeometry(control.kind == LegendControl::Kind::Line ? box.adjusted(0, 0, 1, 1) : box);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QPen pen(Qt::black);
        pen.setWidth(0);
        pen.setStyle(penStyleOf(control_.style));
        p.setPen(pen);
        if (control_.kind == LegendControl::Kind::Line) {
            p.drawLine(0, 0, width() - 1, height() - 1);
            return;
        }
        const int d = std::min(width(), height()) - 1;
        p.drawEllipse((width() - 1 - d) / 2, (height() - 1 - d) / 2, d, d);
    }

private:
    LegendControl control_;
};

QWidget* labelOf(const LegendControl& control, QWidget* picture)
{
    auto* label = new QLabel(QString::fromUtf8(control.text), picture);
    QRect box = twipsRect(control.left, control.top, control.width, control.height);
    label->setWordWrap(control.textLines > 1);
    // A one-line label keeps its whole text on its line where the font is
    // wider than the box was made for.
    if (control.textLines <= 1)
        box.setWidth(std::max(box.width(), label->sizeHint().width()));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Black on the picture's white, whatever the style's label colours.
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    return label;
}

} // namespace

std::vector<QWidget*> addRheometerLegendControls(QWidget* picture)
{
    std::vector<QWidget*> controls;
    for (const LegendControl& c : rheometerLegendControls()) {
        QWidget* w = c.kind == LegendControl::Kind::Label ? labelOf(c, picture) : new LegendShape(c, picture);
        w->setObjectName(QString::fromLatin1(c.objectName));
        w->hide();
        controls.push_back(w);
    }
    return controls;
}

} // namespace kv
