#pragma once
// The main window as a clipboard viewer: every bitmap put on the clipboard becomes a shot.

#include <windows.h>

#include "jpeg/conversion_queue.h"
#include "shot/capture_buffer_win.h"
#include "shot/shot_recorder.h"

namespace dhsu {

// A bitmap left on the clipboard from before the start is not a new shot: empty the clipboard.
void DiscardClipboardBitmap(HWND owner);

// WM_CHANGECBCHAIN: keeps the chain whole when a viewer leaves.
void RepairClipboardChain(HWND& nextViewer, WPARAM removed, LPARAM following);

// WM_DRAWCLIPBOARD: passes the notification on, then records the clipboard's bitmap, if any.
// Nothing here is reported: a clipboard that cannot be read is a shot skipped.
void CaptureClipboard(HWND owner, HWND nextViewer, WPARAM wParam, LPARAM lParam,
                      const ConversionQueue& queue, CaptureBuffer& image, ShotRecorder& recorder);

}  // namespace dhsu
