// Fixed-size windows (the task chooser, the About box, the two calculators)
// place themselves in the middle of the main window's inner area when they open.
#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace kv {

// Top-left corner that centres a window of outer size `outer` in an area of
// size `inner`: half the difference each way, negative when the window is larger.
QPoint centredPosition(const QSize& inner, const QSize& outer);

// Moves the window to the middle of the main window's inner area. A window
// inside the main window (directly or in its child-window frame) is placed
// relative to that area; a separate window (the About box) in screen
// coordinates, from the area's top-left corner on the screen. Nothing happens
// while there is no main window.
void centreOnFrame(QWidget* window);

} // namespace kv
