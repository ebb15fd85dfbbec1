// The result window's farewell: horizontal blinds close over it in 200-twip
// bands, the window turns blue, then vertical grey bands open across it.
#pragma once

#include "platform/draw/drawing.h"

namespace zq {

// 21 steps of closing bands, one of blue, 21 of opening bands.
constexpr int kClosingAnimationSteps = 43;

// The filled boxes of one step, in twips, for the window's inner size at that
// step (it is read afresh at every step).
kv::Drawing closingAnimationStep(int step, double widthTwips, double heightTwips);

} // namespace zq
