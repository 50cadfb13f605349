// The baseline for dhsu's start-up that shows the main window's own window: the same control
// table, font, icon, manifest and common controls, and nothing else of the program (no settings,
// clipboard, shutter key, worker or folder reads). What dhsu takes beyond it is its own work.

#include <windows.h>

#include <commctrl.h>

#include "ui/main_window_controls_win.h"
#include "ui/resource.h"
#include "ui/window_dpi_win.h"
#include "win/handles_win.h"

namespace {

constexpr wchar_t kWindowClass[] = L"SameWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

dhsu::win::GdiObject font;
UINT dpi = 96;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        font.Reset(CreateFontW(-dhsu::Scale(12, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
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
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    dpi = dhsu::ScreenDpi();
    RECT frame{0, 0, dhsu::Scale(dhsu::kClientWidth, dpi), dhsu::Scale(dhsu::kClientHeight, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, kWindowClass, L"DH Screenshot Utility", kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
