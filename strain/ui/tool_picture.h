// "打开图像" of the picture tools: asks for a picture file, loads it into the
// picture box, which takes its size, and centres the box in the window's
// client area (a picture larger than the area starts at its top-left corner). Each tool adds its own steps (which items it enables, which
// view it shows, a size limit) around this.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace kv {

class PictureBox;

struct ToolPictureLoad {
    QString dialogTitle; // empty: the dialog's own
    // The tool's own size limit, asked about a picture's size before it is
    // decoded: false refuses it, tooLarge tells the user, and the box keeps
    // what it had.
    std::function<bool(QSize)> fits;
    std::function<void()> tooLarge;
};

// True when a picture was loaded. Cancelling the dialog changes nothing; a
// file that can't be read as a picture (or is damaged, cut short, too large
// or too costly to draw) is reported and changes nothing.
bool loadToolPicture(QWidget* window, PictureBox* picture, const ToolPictureLoad& how = {});

// Moves the box, keeping its size, to the middle of the window's client area;
// on an axis where the picture is larger than the area, to 0 (pictureCorner).
void centrePictureBox(QWidget* window, PictureBox* picture);

} // namespace kv
