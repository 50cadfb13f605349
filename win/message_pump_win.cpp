#include "win/message_pump_win.h"

namespace dhsu::win {
namespace {

void Dispatch(HWND window, MSG& message) {
    if (window != nullptr && IsWindow(window) && IsDialogMessageW(window, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void RunMessageLoop(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(window, message);
}

void HandleMessagesThenWait(HWND window, DWORD timeoutMs) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Dispatch(window, message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
}

}  // namespace dhsu::win
