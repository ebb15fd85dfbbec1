// The picture box: a retained image with a user scale and the drawing methods
// the tools call (Cls, Line, Circle, PSet, Point, Print at the current point).
// Drawing goes to the stored image (persistent) or, with autoRedraw off, only
// to the display layer on top of it. Colour, line width, line style and font
// size persist until changed.
//
// Pixels: a user point maps to the pixel ((x - x1) * W / (x2 - x1),
// (y - y1) * H / (y2 - y1)), rounded to the nearest pixel. Lines of width 1
// include both end pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace kv {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Size of the drawing area in pixels; the image is cleared to the back colour
    // and the widget takes that fixed size.
    void setPictureSize(int widthPx, int heightPx);
    QSize pictureSize() const;

    // Scale (x1,y1)-(x2,y2): (x1,y1) is the top-left corner, (x2,y2) the bottom-right.
    void setScale(double x1, double y1, double x2, double y2);
    // (0,0)-(width,height); the pixel scale follows later size changes.
    void setPixelScale();
    QPointF toPixel(double x, double y) const;
    QPointF toUser(const QPointF& pixel) const;
    double scaleWidth() const;  // x2 - x1
    double scaleHeight() const; // y2 - y1

    // Replaces the stored image by a loaded picture (the box takes its size).
    void setPicture(const QImage& picture);
    // The stored image: what is saved and printed.
    QImage image() const;

    // Setting the back colour clears the drawing, as cls() does.
    void setBackColor(const QColor& c);
    QColor backColor() const;
    void setForeColor(const QColor& c);
    QColor foreColor() const;
    void setDrawWidth(int pixels);
    int drawWidth() const;
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible, 6 inside solid.
    void setDrawStyle(int style);
    int drawStyle() const;
    void setFontSize(double points);
    void setFontBold(bool bold);
    QFont font() const;
    // Persistent drawing (true) or display only (false). A persistent drawing
    // shows the stored image again, so display-only drawing disappears with it.
    void setAutoRedraw(bool on);
    bool autoRedraw() const;
    // Repaints from the stored image: display-only drawing disappears.
    void refresh();

    double currentX() const;
    double currentY() const;
    void setCurrent(double x, double y);

    // Clears the drawing (and the display layer) to the back colour; the current point goes to (0,0).
    void cls();
    // Line (x1,y1)-(x2,y2); the current point becomes (x2,y2).
    void line(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // Line -(x,y): from the current point.
    void lineTo(double x, double y, std::optional<QColor> color = {});
    // A chain of lines from each user point to the next, each drawn as line()
    // draws it alone (the same pixels, dash patterns restarting at every
    // point), with one pen; the current point becomes the last point.
    void polyline(const QPolygonF& userPoints);
    // Box with corners (x1,y1),(x2,y2); filled with the colour when fill is true.
    void box(double x1, double y1, double x2, double y2, std::optional<QColor> color = {}, bool fill = false);
    // Circle of radius r (in x units, as many pixels across as down); with
    // start/end (radians, counter-clockwise from east as seen) an arc. A
    // negative angle stands for its absolute value and adds a radius line from
    // the centre to that end of the arc. The current point becomes the centre.
    void circle(double x, double y, double r, std::optional<QColor> color = {},
                std::optional<double> startRad = {}, std::optional<double> endRad = {});
    // The inside of a closed outline through the user points, in one colour,
    // without an outline of its own (draw that with lines).
    void fillPolygon(const QPolygonF& userPoints, const QColor& color);
    // The inside of a circle of radius r (in x units), without its outline.
    void fillCircle(double x, double y, double r, const QColor& color);
    // A dot of the draw width; the current point becomes (x,y).
    void pset(double x, double y, std::optional<QColor> color = {});
    // Single pixels of the stored picture (pixel coordinates, whatever the
    // scale) set to one colour, as persistent dots of width 1 would be, in one
    // step: a picture tool changes a few hundred thousand pixels of a large
    // picture without copying it. Pixels outside the picture are left out.
    void setStoredPixels(const std::vector<QPoint>& pixels, const QColor& color);
    // Colour at (x,y) as RGB with red in the low byte; -1 outside the picture.
    std::int64_t point(double x, double y) const;
    // Prints text with its top-left corner at the current point. With newLine
    // the current point moves to the start of the next line (x back to the
    // scale's left edge); without it, it moves to the end of the text.
    void print(const QString& text, bool newLine = false);
    // Width and height of a text in user units.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;

    // Writes the stored image as a 24-bit BMP to the name with surrounding
    // blanks removed (no extension added), through the safe file writer: a
    // failure leaves an existing file as it was. False when the file cannot be
    // written.
    bool saveBmp(const QString& fileName) const;

    // From beginDrawing() to the matching endDrawing(), the drawing calls share
    // one painter on their layer and the widget repaints once at the end: a
    // diagram of thousands of segments then costs no painter and no repaint
    // request per segment. Every call draws the same pixels as it would alone.
    // Pairs may nest; DrawingBatch pairs them by scope.
    void beginDrawing();
    void endDrawing();

signals:
    // Mouse events in user coordinates; button: 1 left, 2 right, 4 middle (0 on a plain move).
    void mouseDown(int button, double x, double y);
    void mouseMove(int button, double x, double y);
    void mouseUp(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    struct State;
    QPoint pixelOf(double x, double y) const;
    double pixelRadius(double r) const;
    QPen linePen(const QColor& c) const;
    // Opens a painter on the layer that drawing goes to now; afterwards the
    // widget repaints.
    template <class Draw> void paintOnTarget(Draw&& draw);
    QImage& target();
    // The shared painter of a batch, on the given layer (reopened when the layer changes).
    QPainter& batchPainter(QImage& layer);
    // Ends the shared painter before a layer is filled or replaced.
    void closeBatchPainter();
    void clearLayers();
    void clearDisplayLayer();
    std::int64_t pixelRgb(const QPoint& p) const;

    QImage stored_;
    QImage display_; // display-only layer (transparent where nothing was drawn)
    bool displayDrawn_ = true; // something may have been drawn on display_ since it was last cleared
    double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
    bool pixelScale_ = true;
    QColor back_ = Qt::white;
    QColor fore_ = Qt::black;
    int drawWidth_ = 1;
    int drawStyle_ = 0;
    QFont font_;
    bool autoRedraw_ = true;
    double curX_ = 0, curY_ = 0;
    int batchDepth_ = 0;
    bool batchDrew_ = false; // something was drawn since the batch began
    std::unique_ptr<QPainter> batchPainter_;
    QImage* batchLayer_ = nullptr; // the layer batchPainter_ is open on
};

// Keeps one drawing batch open on a picture box for its lifetime.
class DrawingBatch {
public:
    explicit DrawingBatch(PictureBox& picture) : picture_(picture) { picture_.beginDrawing(); }
    ~DrawingBatch() { picture_.endDrawing(); }
    DrawingBatch(const DrawingBatch&) = delete;
    DrawingBatch& operator=(const DrawingBatch&) = delete;

private:
    PictureBox& picture_;
};

} // namespace kv
