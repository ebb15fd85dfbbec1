#include "attitude/ui/rose_drawing.h"

#include "platform/ui/picture_box.h"

#include <QColor>
#include <QString>

namespace kv {

namespace {

QColor toQColor(const RoseColour& c)
{
    return QColor(c.red, c.green, c.blue);
}

// Prints a text with its top-left corner at a point of the picture.
void printAt(PictureBox& picture, const RosePoint& topLeft, const QString& text)
{
    picture.setCurrent(topLeft.x, topLeft.y);
    picture.print(text);
}

} // namespace

void setUpRosePicture(PictureBox& picture)
{
    const RoseFrame& frame = roseFrame();
    picture.setPictureSize(frame.picturePixels, frame.picturePixels);
    picture.setScale(frame.scaleX1, frame.scaleY1, frame.scaleX2, frame.scaleY2);
}

void drawRoseFrame(PictureBox& picture, const RoseFrame& frame)
{
    picture.cls();
    picture.setScale(frame.scaleX1, frame.scaleY1, frame.scaleX2, frame.scaleY2);
    picture.setForeColor(toQColor(frame.frameColour));
    picture.circle(frame.centre.x, frame.centre.y, frame.radius);
    picture.line(frame.baseLine.from.x, frame.baseLine.from.y, frame.baseLine.to.x, frame.baseLine.to.y);
    for (const RoseSegment& tick : frame.ticks)
        picture.line(tick.from.x, tick.from.y, tick.to.x, tick.to.y);
    for (const RoseLabel& letter : frame.letters)
        printAt(picture, letter.topLeft, QString::fromUtf8(letter.text));
}

void printRoseTitle(PictureBox& picture, const RoseFrame& frame, const RoseDiagram& rose)
{
    picture.setForeColor(toQColor(frame.frameColour));
    picture.setDrawWidth(1);
    printAt(picture, frame.titleAt, QString::fromStdString(rose.title));
}

// From the centre through the vertex of every class, in class order, and back
// to the centre; an empty class's vertex is the centre itself.
void drawRosePolygon(PictureBox& picture, const RoseDiagram& rose)
{
    picture.setCurrent(0, 0);
    picture.setForeColor(toQColor(rose.colour));
    for (const RosePoint& vertex : rose.vertices)
        picture.lineTo(vertex.x, vertex.y);
    picture.lineTo(0, 0);
}

// The legend pieces one after another on one line, each starting where the
// previous one ended.
void printRoseLegend(PictureBox& picture, const RoseFrame& frame, const RoseDiagram& rose)
{
    picture.setForeColor(toQColor(frame.frameColour));
    picture.setCurrent(frame.legendAt.x, frame.legendAt.y);
    for (const std::string& piece : rose.legend)
        picture.print(QString::fromStdString(piece));
}

void drawRose(PictureBox& picture, const RoseDiagram& rose)
{
    const RoseFrame& frame = roseFrame();
    drawRoseFrame(picture, frame);
    printRoseTitle(picture, frame, rose);
    drawRosePolygon(picture, rose);
    printRoseLegend(picture, frame, rose);
}

} // namespace kv
