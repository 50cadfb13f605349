// The baseline for dhsu's start-up that shows the main window's own window: the same control
// table, font, icon, manifest and common controls, and nothing else of the program (no settings,
// clipboard, shutter key, worker or folder reads). What dhsu takes beyond it is its own work.

#include <windows.h>

#include <commctrl.h>

#include "ui/main_window_controls_win.h"
#include "ui/window_dpi_win.h"
#include "win/handles_win.h"

namespace {

constexpr wchar_t kWindowClass[] = L"SameWindow";

dhsu::win::GdiObject font;
UINT dpi = 96;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        font = dhsu::CreateWindowFont(dpi);
        dhsu::CreateControls(window, dhsu::MainWindowControls(), static_cast<HFONT>(font.Get()),
                             dpi);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    dhsu::RegisterMainWindowClass(instance, kWindowClass, Procedure);
    dpi = dhsu::ScreenDpi();
    HWND window = dhsu::CreateMainWindow(instance, kWindowClass, dpi, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
