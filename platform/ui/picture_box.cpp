#include "platform/ui/picture_box.h"

#include "platform/text/text_file.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace kv {

namespace {

constexpr int defaultSidePx = 100;
constexpr double twoPi = 6.283185307179586;

// Far enough outside any picture, small enough for int arithmetic in the painter.
constexpr double pixelLimit = 1.0e6;

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

int nearestPixel(double v)
{
    if (!(v > -pixelLimit)) // also NaN
        return static_cast<int>(-pixelLimit);
    if (v > pixelLimit)
        return static_cast<int>(pixelLimit);
    return static_cast<int>(std::floor(v + 0.5));
}

// A colour as one number, red in the low byte: the form point() returns and the
// tools compare with.
std::int64_t rgbValue(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}

int mouseButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int sixteenthsOfDegree(double radians)
{
    return static_cast<int>(std::lround(radians * 180.0 / 3.141592653589793 * 16.0));
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
    , font_(QStringLiteral("WenQuanYi Micro Hei"), 9)
{
    font_.setStyleHint(QFont::SansSerif);
    // Hinting would follow the screen (none on a scaled one): unhinted text
    // gives a saved picture the same pixels on every screen.
    font_.setHintingPreference(QFont::PreferNoHinting);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPictureSize(defaultSidePx, defaultSidePx); // with the pixel scale
}

PictureBox::~PictureBox() { closeBatchPainter(); }

// ---- size and scale -------------------------------------------------------

void PictureBox::setPictureSize(int widthPx, int heightPx)
{
    widthPx = std::max(widthPx, 1);
    heightPx = std::max(heightPx, 1);
    closeBatchPainter();
    stored_ = QImage(widthPx, heightPx, QImage::Format_RGB32);
    display_ = QImage(widthPx, heightPx, QImage::Format_ARGB32_Premultiplied);
    displayDrawn_ = true; // a new image holds anything
    clearLayers();
    if (pixelScale_)
        setPixelScale();
    setFixedSize(widthPx, heightPx);
    update();
}

QSize PictureBox::pictureSize() const { return stored_.size(); }

void PictureBox::setScale(double x1, double y1, double x2, double y2)
{
    if (!allFinite({x1, y1, x2, y2}) || x1 == x2 || y1 == y2)
        return; // a scale without extent maps nothing; keep the old one
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    pixelScale_ = false;
}

void PictureBox::setPixelScale()
{
    setScale(0, 0, stored_.width(), stored_.height());
    pixelScale_ = true;
}

QPointF PictureBox::toPixel(double x, double y) const
{
    return {(x - x1_) * stored_.width() / (x2_ - x1_), (y - y1_) * stored_.height() / (y2_ - y1_)};
}

QPointF PictureBox::toUser(const QPointF& pixel) const
{
    return {x1_ + pixel.x() * (x2_ - x1_) / stored_.width(),
            y1_ + pixel.y() * (y2_ - y1_) / stored_.height()};
}

double PictureBox::scaleWidth() const { return x2_ - x1_; }
double PictureBox::scaleHeight() const { return y2_ - y1_; }

QPoint PictureBox::pixelOf(double x, double y) const
{
    const QPointF p = toPixel(x, y);
    return {nearestPixel(p.x()), nearestPixel(p.y())};
}

double PictureBox::pixelRadius(double r) const
{
    return std::fabs(r * stored_.width() / (x2_ - x1_));
}

// ---- picture --------------------------------------------------------------

void PictureBox::setPicture(const QImage& picture)
{
    if (picture.isNull())
        return;
    closeBatchPainter();
    stored_ = picture.convertToFormat(QImage::Format_RGB32);
    // A layer of the right size is only cleared, and only when something was
    // drawn on it: a tool that shows each step of a large picture does not
    // make and fill a new layer every time.
    if (display_.size() != stored_.size()) {
        display_ = QImage(stored_.size(), QImage::Format_ARGB32_Premultiplied);
        displayDrawn_ = true;
    }
    clearDisplayLayer();
    if (pixelScale_)
        setPixelScale();
    setFixedSize(stored_.size());
    update();
}

QImage PictureBox::image() const { return stored_; }

bool PictureBox::saveBmp(const QString& fileName) const
{
    const QString name = fileName.trimmed();
    if (name.isEmpty())
        return false;
    // Encoded whole first, then written as any file is: a disk that fills up
    // half-way must not leave the user's old picture truncated.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !stored_.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return false;
    const std::string path = QFile::encodeName(name).toStdString();
    return writeFileBytes(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
           == FileError::None;
}

// ---- drawing state --------------------------------------------------------

void PictureBox::setBackColor(const QColor& c)
{
    back_ = c;
    cls();
}

QColor PictureBox::backColor() const { return back_; }
void PictureBox::setForeColor(const QColor& c) { fore_ = c; }
QColor PictureBox::foreColor() const { return fore_; }
void PictureBox::setDrawWidth(int pixels) { drawWidth_ = std::max(pixels, 1); }
int PictureBox::drawWidth() const { return drawWidth_; }

void PictureBox::setDrawStyle(int style)
{
    if (style >= 0 && style <= 6)
        drawStyle_ = style;
}

int PictureBox::drawStyle() const { return drawStyle_; }
void PictureBox::setFontSize(double points)
{
    if (points > 0)
        font_.setPointSizeF(points);
}
void PictureBox::setFontBold(bool bold) { font_.setBold(bold); }
QFont PictureBox::font() const { return font_; }
void PictureBox::setAutoRedraw(bool on) { autoRedraw_ = on; }
bool PictureBox::autoRedraw() const { return autoRedraw_; }

void PictureBox::refresh()
{
    clearDisplayLayer();
    update();
}

double PictureBox::currentX() const { return curX_; }
double PictureBox::currentY() const { return curY_; }

void PictureBox::setCurrent(double x, double y)
{
    curX_ = x;
    curY_ = y;
}

// ---- drawing --------------------------------------------------------------

QImage& PictureBox::target() { return autoRedraw_ ? stored_ : display_; }

void PictureBox::clearLayers()
{
    closeBatchPainter();
    stored_.fill(back_);
    clearDisplayLayer();
}

// Persistent drawing clears the display layer each time; a layer known to be
// empty is not filled again, so a chain of thousands of short lines does not
// fill the whole picture once per line.
void PictureBox::clearDisplayLayer()
{
    if (!displayDrawn_)
        return;
    if (batchLayer_ == &display_)
        closeBatchPainter();
    display_.fill(Qt::transparent);
    displayDrawn_ = false;
}

template <class Draw>
void PictureBox::paintOnTarget(Draw&& draw)
{
    if (autoRedraw_)
        clearDisplayLayer(); // the screen shows the stored image again
    else
        displayDrawn_ = true;
    if (batchDepth_ > 0) {
        // Pen, brush and font are set by every call that uses them, so what
        // one call leaves on the shared painter does not reach the next.
        draw(batchPainter(target()));
        batchDrew_ = true;
        return;
    }
    {
        QPainter painter(&target());
        painter.setRenderHint(QPainter::Antialiasing, false);
        draw(painter);
    }
    update();
}

QPainter& PictureBox::batchPainter(QImage& layer)
{
    if (batchLayer_ != &layer) {
        closeBatchPainter();
        batchPainter_ = std::make_unique<QPainter>(&layer);
        batchPainter_->setRenderHint(QPainter::Antialiasing, false);
        batchLayer_ = &layer;
    }
    return *batchPainter_;
}

void PictureBox::closeBatchPainter()
{
    batchPainter_.reset();
    batchLayer_ = nullptr;
}

void PictureBox::beginDrawing()
{
    if (batchDepth_++ == 0)
        batchDrew_ = false;
}

void PictureBox::endDrawing()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    closeBatchPainter();
    if (batchDrew_)
        update();
}

// Thin lines take the draw style's dash pattern; wider ones are always solid
// with round ends, so a thick dashed line never breaks into blobs.
QPen PictureBox::linePen(const QColor& c) const
{
    if (drawWidth_ > 1) {
        QPen pen(c, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        return pen;
    }
    static const Qt::PenStyle thinStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                              Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                              Qt::SolidLine};
    QPen pen(c, 1, thinStyles[drawStyle_], Qt::SquareCap, Qt::MiterJoin); // square cap: last pixel drawn
    pen.setCosmetic(true);
    return pen;
}

void PictureBox::cls()
{
    clearLayers();
    curX_ = 0;
    curY_ = 0;
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, std::optional<QColor> color)
{
    curX_ = x2;
    curY_ = y2;
    if (drawStyle_ == 5 || !allFinite({x1, y1, x2, y2}))
        return;
    const QPoint a = pixelOf(x1, y1), b = pixelOf(x2, y2);
    const QPen pen = linePen(color.value_or(fore_));
    paintOnTarget([&](QPainter& p) {
        p.setPen(pen);
        p.drawLine(a, b);
    });
}

void PictureBox::lineTo(double x, double y, std::optional<QColor> color)
{
    line(curX_, curY_, x, y, color);
}

void PictureBox::polyline(const QPolygonF& userPoints)
{
    if (userPoints.isEmpty())
        return;
    curX_ = userPoints.last().x();
    curY_ = userPoints.last().y();
    if (drawStyle_ == 5 || userPoints.size() < 2)
        return;
    // On the stack for the usual chain (a great circle, a contour), so a
    // drawing of hundreds of chains makes no allocation per chain.
    QVarLengthArray<QLine, 256> segments;
    segments.reserve(userPoints.size() - 1);
    QPoint from;
    bool haveFrom = false;
    for (const QPointF& u : userPoints) {
        const bool finite = std::isfinite(u.x()) && std::isfinite(u.y());
        if (finite) {
            const QPoint to = pixelOf(u.x(), u.y());
            if (haveFrom)
                segments.append(QLine(from, to));
            from = to;
        }
        haveFrom = finite;
    }
    if (segments.isEmpty())
        return;
    const QPen pen = linePen(fore_);
    paintOnTarget([&](QPainter& p) {
        p.setPen(pen);
        // Separate lines in one call: each begins its own dash pattern and
        // gets its own end pixels, as the same lines drawn one by one.
        p.drawLines(segments.constData(), static_cast<int>(segments.size()));
    });
}

void PictureBox::box(double x1, double y1, double x2, double y2, std::optional<QColor> color, bool fill)
{
    curX_ = x2;
    curY_ = y2;
    if (drawStyle_ == 5 || !allFinite({x1, y1, x2, y2}))
        return;
    const QPoint a = pixelOf(x1, y1), b = pixelOf(x2, y2);
    const QColor c = color.value_or(fore_);
    const QPen pen = linePen(c);
    paintOnTarget([&](QPainter& p) {
        if (fill) {
            const QPoint topLeft(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
            const QPoint bottomRight(std::max(a.x(), b.x()), std::max(a.y(), b.y()));
            p.fillRect(QRect(topLeft, bottomRight), c); // both corners inside
            return;
        }
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QPoint corners[] = {a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())};
        p.drawPolygon(corners, 4);
    });
}

void PictureBox::circle(double x, double y, double r, std::optional<QColor> color,
                        std::optional<double> startRad, std::optional<double> endRad)
{
    curX_ = x;
    curY_ = y;
    if (drawStyle_ == 5 || !allFinite({x, y, r, startRad.value_or(0), endRad.value_or(0)}))
        return;
    const QPointF centre = pixelOf(x, y);
    const double radius = pixelRadius(r);
    if (radius > pixelLimit)
        return;
    const QPen pen = linePen(color.value_or(fore_));
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const bool arc = startRad || endRad;
    const double start = std::fabs(startRad.value_or(0));
    const double end = std::fabs(endRad.value_or(twoPi));
    double span = end - start;
    if (span <= 0)
        span += twoPi;

    auto radiusLine = [&](QPainter& p, double angle) {
        const QPointF rim(centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle));
        p.drawLine(centre.toPoint(), QPoint(nearestPixel(rim.x()), nearestPixel(rim.y())));
    };
    paintOnTarget([&](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        if (!arc) {
            p.drawEllipse(centre, radius, radius);
            return;
        }
        p.drawArc(bounds, sixteenthsOfDegree(start), sixteenthsOfDegree(span));
        if (startRad && *startRad < 0)
            radiusLine(p, start);
        if (endRad && *endRad < 0)
            radiusLine(p, end);
    });
}

void PictureBox::fillPolygon(const QPolygonF& userPoints, const QColor& color)
{
    QPolygon pixels;
    for (const QPointF& u : userPoints) {
        if (!allFinite({u.x(), u.y()}))
            return;
        pixels << pixelOf(u.x(), u.y());
    }
    if (pixels.size() < 3)
        return;
    paintOnTarget([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPolygon(pixels);
    });
}

void PictureBox::fillCircle(double x, double y, double r, const QColor& color)
{
    if (!allFinite({x, y, r}))
        return;
    const QPointF centre = pixelOf(x, y);
    const double radius = pixelRadius(r);
    if (radius > pixelLimit)
        return;
    paintOnTarget([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(centre, radius, radius);
    });
}

void PictureBox::pset(double x, double y, std::optional<QColor> color)
{
    curX_ = x;
    curY_ = y;
    if (!allFinite({x, y}))
        return;
    const QPoint at = pixelOf(x, y);
    const QColor c = color.value_or(fore_);
    paintOnTarget([&](QPainter& p) {
        // The pixels of a w x w block about the point whose centres lie within
        // w / 2 of the block's centre: the same round dot wherever it lands (a
        // 2 x 2 ellipse at half-pixel corners came out as one to four pixels
        // depending on the position, so clouds of dots showed false densities).
        // Each row of the dot is one run, symmetric about the block's centre;
        // rows with the same run are one fill, so a dot of width 1 to 3 is a
        // single rectangle (a Fry plot has tens of thousands of them).
        const int w = drawWidth_;
        const int first = -(w - 1) / 2;
        const double centre = first + w / 2.0;
        const double reach = w * w / 4.0;
        QRect rows; // the rows so far with the same run
        for (int j = first; j < first + w; ++j) {
            const double dy = j + 0.5 - centre;
            int left = first;
            while (left - first < (w - 1) / 2 && (left + 0.5 - centre) * (left + 0.5 - centre) + dy * dy > reach)
                ++left;
            const QRect run(at.x() + left, at.y() + j, w - 2 * (left - first), 1);
            if (!rows.isNull() && rows.left() == run.left() && rows.width() == run.width()) {
                rows.setBottom(run.bottom());
                continue;
            }
            if (!rows.isNull())
                p.fillRect(rows, c);
            rows = run;
        }
        p.fillRect(rows, c);
    });
}

void PictureBox::setStoredPixels(const std::vector<QPoint>& pixels, const QColor& color)
{
    closeBatchPainter();
    clearDisplayLayer(); // the screen shows the stored image again, as after any persistent drawing
    const QRgb value = color.rgb();
    const QRect inside = stored_.rect();
    for (const QPoint& p : pixels)
        if (inside.contains(p))
            reinterpret_cast<QRgb*>(stored_.scanLine(p.y()))[p.x()] = value;
    update();
}

// The stored pixel, or with display-only drawing what the screen shows: the
// display layer over the stored image.
std::int64_t PictureBox::pixelRgb(const QPoint& p) const
{
    const QRgb under = stored_.pixel(p);
    if (autoRedraw_)
        return rgbValue(qRed(under), qGreen(under), qBlue(under));
    const QRgb over = reinterpret_cast<const QRgb*>(display_.constScanLine(p.y()))[p.x()]; // premultiplied
    const int keep = 255 - qAlpha(over);
    auto mix = [keep](int top, int bottom) { return top + (bottom * keep + 127) / 255; };
    return rgbValue(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                    mix(qBlue(over), qBlue(under)));
}

std::int64_t PictureBox::point(double x, double y) const
{
    if (!allFinite({x, y}))
        return -1;
    const QPoint p = pixelOf(x, y);
    if (!stored_.rect().contains(p))
        return -1;
    return pixelRgb(p);
}

// ---- text -----------------------------------------------------------------

void PictureBox::print(const QString& text, bool newLine)
{
    const QFontMetricsF metrics(font_, &stored_);
    const QPoint at = pixelOf(curX_, curY_);
    if (!text.isEmpty()) {
        paintOnTarget([&](QPainter& p) {
            p.setFont(font_);
            p.setPen(fore_);
            p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
        });
    }
    if (newLine) {
        curX_ = x1_;
        curY_ += metrics.height() * (y2_ - y1_) / stored_.height();
    } else {
        curX_ += metrics.horizontalAdvance(text) * (x2_ - x1_) / stored_.width();
    }
}

double PictureBox::textWidth(const QString& text) const
{
    const QFontMetricsF metrics(font_, &stored_);
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest * std::fabs(x2_ - x1_) / stored_.width();
}

double PictureBox::textHeight(const QString& text) const
{
    const QFontMetricsF metrics(font_, &stored_);
    const auto lines = text.count(QLatin1Char('\n')) + 1;
    return lines * metrics.height() * std::fabs(y2_ - y1_) / stored_.height();
}

// ---- widget ---------------------------------------------------------------

void PictureBox::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    p.drawImage(e->rect(), stored_, e->rect());
    p.drawImage(e->rect(), display_, e->rect());
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    const QPointF at = toUser(e->position());
    emit mouseDown(mouseButtonCode(e->button()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF at = toUser(e->position());
    emit mouseMove(mouseButtonCode(e->buttons()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF at = toUser(e->position());
    emit mouseUp(mouseButtonCode(e->button()), at.x(), at.y());
}

} // namespace kv
