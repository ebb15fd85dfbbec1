// Start-up of the program: the splash, the wait, and the one main window.
#pragma once

namespace kv {

class MainWindow;
class ToolCatalogue;

// Waits until the clock reaches the whole second nearest to now + seconds,
// handling window events meanwhile. Ends after about the requested time even
// when the wait crosses midnight, and sleeps rather than spins.
void delaySeconds(int seconds);
// How long delaySeconds waits when the clock shows clockNow (seconds since midnight).
double delayMilliseconds(float clockNow, int seconds);

// The program's start: splash, wait, main window created and shown maximized.
// Returns the main window (also available as the frame services).
// The chooser offers the catalogue's tools.
MainWindow* runMain(const ToolCatalogue& tools, int splashSeconds = 2);

} // namespace kv
