#pragma once
// The shutter key: the foreground window (its client area, or the whole window) into a picture.

#include "shot/capture_buffer_win.h"
#include "shot/screen_first_windows_win.h"

namespace dhsu {

class WindowCapture {
  public:
    // False, having captured nothing, without a foreground window or when the window lies wholly
    // off its device context. A client area whose own read is flat is read from the screen too;
    // when that read is taken, it trades places with `image`, so that each buffer keeps its
    // memory for the next press.
    bool CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image);

  private:
    bool CaptureClientArea(HWND window, const CaptureRect& wanted, CaptureBuffer& image);

    CaptureBuffer screenRead_;
    CaptureBuffer windowRow_;
    ScreenFirstWindows screenFirst_;
};

}  // namespace dhsu
