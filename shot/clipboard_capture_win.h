#pragma once
// The main window as a clipboard viewer: every bitmap put on the clipboard becomes a shot.

#include <windows.h>

#include <vector>

#include "shot/capture_buffer_win.h"

namespace dhsu {

// A bitmap left on the clipboard from before the start is not a new shot: empty the clipboard.
void DiscardClipboardBitmap(HWND owner);

// A copy of the clipboard's bitmap, with its palette, unless the clipboard is still as it was
// when the picture of `recordedSequence` was copied: a burst of notifications may outrun the
// changes. False when it holds none, an empty one, or that same one. `sequence` receives the
// clipboard's sequence number, read while it is open, so that it belongs to the copied picture.
bool CopyNewClipboardBitmap(HWND owner, DWORD recordedSequence, CaptureBuffer& image,
                            DWORD& sequence);

// The window's place in the clipboard viewer chain. Any program can send the chain's messages,
// and the windows after ours may be slow, hung or looped back to us: none of that may stop or
// multiply our shots.
class ClipboardViewer {
  public:
    // Late in FormCreate; Windows sends the first WM_DRAWCLIPBOARD at once.
    void Join(HWND owner);
    // In FormDestroy.
    void Leave();

    // WM_CHANGECBCHAIN: keeps the chain whole when a viewer leaves.
    void RepairChain(WPARAM removed, LPARAM following);

    // WM_DRAWCLIPBOARD: passes the notification on; false when it has come round a loop and is
    // not a change to record again.
    bool PassOnChange(WPARAM wParam, LPARAM lParam);

  private:
    struct ChainMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        DWORD clipboardSequence;
        bool operator==(const ChainMessage&) const = default;
    };
    // False when this very message is still on its way from us: it has come round a loop.
    bool PassOn(UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_ = nullptr;
    HWND next_ = nullptr;
    std::vector<ChainMessage> passingOn_;
};

}  // namespace dhsu
