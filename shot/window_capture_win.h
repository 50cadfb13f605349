#pragma once
// The shutter key: the foreground window (its client area, or the whole window) into a picture.

#include "shot/capture_buffer_win.h"

namespace dhsu {

// False, having captured nothing, without a foreground window or when the window lies wholly
// off its device context. A client area whose own read is flat is read again from the screen
// into `screenRead`; when that read is taken, the two buffers trade places, so that each keeps
// its memory for the next press.
bool CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image, CaptureBuffer& screenRead);

}  // namespace dhsu
