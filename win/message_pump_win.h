#pragma once
// The UI thread's message pump: its loop, and the waits that must keep the windows alive.

#include <windows.h>

namespace dhsu::win {

// Until WM_QUIT. Tab and the arrow keys move between the controls of `window`, as in a dialog.
void RunMessageLoop(HWND window);

// Handles every message that has come, sent ones included, then sleeps until the next one comes
// or `timeoutMs` have passed. A WM_QUIT is left for the loop that waits for it.
void HandleMessagesThenWait(HWND window, DWORD timeoutMs);

}  // namespace dhsu::win
