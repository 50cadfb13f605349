#pragma once
// The shutter key: the foreground window (its client area, or the whole window) into a picture.

#include "shot/capture_buffer_win.h"

namespace dhsu {

// False, having captured nothing, without a foreground window or when the window lies wholly
// off its device context.
bool CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image);

}  // namespace dhsu
