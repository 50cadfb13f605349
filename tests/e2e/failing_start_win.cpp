// The start-up step of dhsu_failing_start.exe: it fails, as any step before the conversion
// worker might, so a test can see what a failed start leaves behind.

#include <stdexcept>

#include "shot/clipboard_capture_win.h"

namespace dhsu {

void DiscardClipboardBitmap(HWND) {
    throw std::runtime_error("The start failed on purpose.");
}

}  // namespace dhsu
