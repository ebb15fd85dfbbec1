// The dialog's picture at rest: "Welcome.bmp" from the current folder when
// there is one, else the program's own.
#pragma once

#include <QImage>
#include <QSize>

namespace zq {

// The program's own welcome picture, of the given size.
QImage builtInWelcomePicture(const QSize& size);

// "Welcome.bmp" fitted into the size on white, or the built-in picture when
// the file is missing or unreadable.
QImage welcomePicture(const QSize& size);

} // namespace zq
