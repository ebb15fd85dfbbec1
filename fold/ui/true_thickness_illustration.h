// The picture beside the true-thickness boxes: a section across a dipping
// stratum showing what the five values and the result stand for (the dip α,
// the traverse inclination β, the slope distance L and the true thickness h).
// Drawn by the program; nothing is loaded from disk.
#pragma once

#include <QPixmap>

namespace kv {

// 218 x 210 pixels.
QPixmap trueThicknessIllustration();

} // namespace kv
