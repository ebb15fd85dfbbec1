// The strip under the picture that shows how far a long image pass has come.
// Shown and cleared when a pass starts, hidden when it ends. No window events
// are processed during a pass, so the strip paints itself now and then.
#pragma once

#include "strain/core/pixel_map.h"

#include <QElapsedTimer>

namespace kv {

class PictureBox;

class PassProgressStrip {
public:
    explicit PassProgressStrip(PictureBox* strip);
    ~PassProgressStrip();
    PassProgressStrip(const PassProgressStrip&) = delete;
    PassProgressStrip& operator=(const PassProgressStrip&) = delete;

    // Blue from the left edge to filledTo (strip units: the picture's pixels).
    void fill(double filledTo);
    PassProgress progress();

private:
    PictureBox* strip_;
    QElapsedTimer sincePaint_;
};

} // namespace kv
