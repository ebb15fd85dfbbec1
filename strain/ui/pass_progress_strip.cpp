#include "strain/ui/pass_progress_strip.h"

#include "platform/ui/picture_box.h"

namespace kv {

namespace {

constexpr int kPaintEveryMs = 40;
const QColor kFilled(0, 0, 255);

} // namespace

PassProgressStrip::PassProgressStrip(PictureBox* strip) : strip_(strip)
{
    strip_->show();
    strip_->cls();
    sincePaint_.start();
}

PassProgressStrip::~PassProgressStrip() { strip_->hide(); }

void PassProgressStrip::fill(double filledTo)
{
    if (filledTo <= 0)
        return;
    strip_->box(0, 0, filledTo, strip_->scaleHeight(), kFilled, true);
    if (sincePaint_.elapsed() >= kPaintEveryMs) {
        strip_->repaint();
        sincePaint_.restart();
    }
}

PassProgress PassProgressStrip::progress()
{
    return [this](double filledTo) { fill(filledTo); };
}

} // namespace kv
