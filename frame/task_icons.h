// The pictures of the chooser: one 32 x 32 icon per task and the pointer shown
// over the icons. Drawn by the program, so nothing is loaded from disk.
#pragma once

#include <QPixmap>

namespace kv {

QPixmap taskIcon(int index);
QPixmap chooserPointer();
QPixmap programIcon();

} // namespace kv
