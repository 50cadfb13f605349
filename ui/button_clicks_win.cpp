#include "ui/button_clicks_win.h"

#include <commctrl.h>

#include <utility>

namespace dhsu {

void ButtonClicks::Watch(HWND button) {
    SetWindowSubclass(button, ButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

bool ButtonClicks::Take(HWND button) {
    if (button == nullptr || sending_ != button) return false;
    sending_ = nullptr;  // a dialog opened by the click runs inside it; it counts once
    return true;
}

LRESULT CALLBACK ButtonClicks::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR clicks) {
    HWND& sending = reinterpret_cast<ButtonClicks*>(clicks)->sending_;
    const HWND outer = std::exchange(sending, button);
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    sending = outer;
    return result;
}

}  // namespace dhsu
