#pragma once
// The client area read from the foreground window's own device context. In a file of its own:
// the end-to-end tests link a program whose read comes out black, as a window drawn by the GPU
// gives it on Windows, since under Wine that read always shows what the screen shows.

#include <windows.h>

#include "shot/capture_buffer_win.h"
#include "shot/capture_geometry.h"

namespace dhsu {

void ReadWindowDc(HDC windowDc, const CaptureRect& capture, CaptureBuffer& image);

}  // namespace dhsu
