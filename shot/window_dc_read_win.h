#pragma once
// A window's device context (the desktop window's for the screen) read into a picture. In a file
// of its own: the end-to-end tests link a program whose read of a window's own device context
// comes out black, as a window drawn by the GPU gives it on Windows, since under Wine that read
// always shows what the screen shows.

#include <windows.h>

#include "shot/capture_buffer_win.h"
#include "shot/capture_geometry.h"

namespace dhsu {

void ReadWindowDc(HWND window, HDC windowDc, const CaptureRect& capture, CaptureBuffer& image);

}  // namespace dhsu
