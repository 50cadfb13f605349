#pragma once
// The push buttons whose clicks open dialogs. Any program can send the main window a button's
// notification; a click the button really makes arrives while its own window procedure runs (a
// mouse or key release, BM_CLICK), so only such a notification counts, and only once.

#include <windows.h>

namespace dhsu {

class ButtonClicks {
  public:
    void Watch(HWND button);
    // True once for a click that `button` is sending now.
    bool Take(HWND button);

  private:
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR clicks);

    HWND sending_ = nullptr;  // the watched button whose procedure runs
};

}  // namespace dhsu
