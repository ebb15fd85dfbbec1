#include "platform/ui/frame_services.h"

namespace kv {

namespace {
FrameServices* theFrame = nullptr;
}

FrameServices* mainFrame() { return theFrame; }
void setMainFrame(FrameServices* frame) { theFrame = frame; }

} // namespace kv
