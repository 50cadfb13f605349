// Apart from the rest of the clipboard capture: the first step of the start-up that can fail, so
// a twin of dhsu.exe puts a failing one in its place.

#include "shot/clipboard_capture_win.h"
#include "win/handles_win.h"

namespace dhsu {

void DiscardClipboardBitmap(HWND owner) {
    const win::OpenClipboardScope clipboard(owner);
    if (clipboard.IsOpen() && IsClipboardFormatAvailable(CF_BITMAP)) EmptyClipboard();
}

}  // namespace dhsu
