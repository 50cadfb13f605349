// The window's own device context of dhsu_black_window_dc.exe: it reads black, as a window drawn
// by Direct3D, OpenGL or Vulkan does under the compositor on Windows.

#include "shot/window_dc_read_win.h"

namespace dhsu {

void ReadWindowDc(HDC windowDc, const CaptureRect& capture, CaptureBuffer& image) {
    image.Resize(windowDc, capture.w, capture.h);
    const win::MemoryDc target(CreateCompatibleDC(windowDc));
    const win::SelectedObject selected(target.Get(), image.Bitmap());
    PatBlt(target.Get(), 0, 0, capture.w, capture.h, BLACKNESS);
}

}  // namespace dhsu
