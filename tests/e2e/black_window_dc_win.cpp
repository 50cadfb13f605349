// The reads of dhsu_black_window_dc.exe: a window's own device context reads black, as a window
// drawn by Direct3D, OpenGL or Vulkan does under the compositor on Windows, unless the window
// holds the property that says it draws through GDI again. The read is made all the same, so
// that it costs what a read costs. Each read is logged as "screen" or "window" and its size, so
// a test can count the reads of a press.

#include <string>

#include "shot/window_dc_read_win.h"
#include "twin_log.h"

namespace dhsu {

void ReadWindowDc(HWND window, HDC windowDc, const CaptureRect& capture, CaptureBuffer& image) {
    const bool screen = window == GetDesktopWindow();
    AppendTwinLog((screen ? "screen " : "window ") + std::to_string(capture.w) + "x" +
                  std::to_string(capture.h));
    image.CopyFrom(windowDc, capture);
    if (screen || GetPropW(window, e2e::kGdiDrawnProperty) != nullptr) return;
    const win::MemoryDc target(CreateCompatibleDC(windowDc));
    const win::SelectedObject selected(target.Get(), image.Bitmap());
    PatBlt(target.Get(), 0, 0, capture.w, capture.h, BLACKNESS);
}

}  // namespace dhsu
