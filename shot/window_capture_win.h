#pragma once
// The shutter key: the foreground window (its client area, or the whole window) into a shot.

#include "jpeg/conversion_queue.h"
#include "shot/capture_buffer_win.h"
#include "shot/shot_recorder.h"

namespace dhsu {

constexpr int kShutterHotkeyId = 4;

// Does nothing while the conversion queue is full, without a foreground window, or when the
// window lies wholly off its device context.
void CaptureForegroundWindow(bool clientAreaMode, const ConversionQueue& queue,
                             CaptureBuffer& image, ShotRecorder& recorder);

}  // namespace dhsu
