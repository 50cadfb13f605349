#include "shot/window_dc_read_win.h"

namespace dhsu {

void ReadWindowDc(HWND, HDC windowDc, const CaptureRect& capture, CaptureBuffer& image) {
    image.CopyFrom(windowDc, capture);
}

}  // namespace dhsu
