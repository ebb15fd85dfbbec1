// The pictures of the chooser: one 32 x 32 icon per tool and the pointer shown
// over the icons. Drawn by the program, so nothing is loaded from disk.
#pragma once

#include "kit/tool_catalogue.h"

#include <QPixmap>

namespace kv {

QPixmap taskIcon(ToolIcon icon);
QPixmap chooserPointer();
QPixmap programIcon();

} // namespace kv
