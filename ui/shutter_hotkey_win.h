#pragma once
// The shutter key as the main window's global hotkey. A key that another program holds is
// reported once for each choice, then tried again quietly until that program lets go of it, so
// the key starts working without a restart.

#include <windows.h>

namespace dhsu {

class ShutterHotkey {
  public:
    static constexpr int kHotkeyId = 4;
    static constexpr UINT_PTR kRetryTimerId = 2;  // a WM_TIMER of the window

    // Makes `key` the window's shutter key in place of the one before, registered even when it
    // is the same key.
    void Register(HWND window, UINT key);
    // The retry timer fired.
    void Retry();
    // At close: no key registered and no retry left running.
    void Release();

  private:
    void StopRetrying();

    HWND window_ = nullptr;
    UINT key_ = 0;
    bool retrying_ = false;
};

}  // namespace dhsu
