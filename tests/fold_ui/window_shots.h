// Pictures of the windows as the user sees them, for looking at by eye: with
// KV_FOLD_SHOTS set to a folder, saveShot writes the window there as a PNG.
#pragma once

#include "tests/support/tool_window_test.h"

namespace kv::test {

inline void saveShot(QWidget* window, const char* name) { saveShot(*window, "KV_FOLD_SHOTS", name); }

} // namespace kv::test
