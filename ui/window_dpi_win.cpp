#include "ui/window_dpi_win.h"

#include "win/handles_win.h"

namespace dhsu {
namespace {

constexpr UINT kLowestDpi = 96;    // 100 %
constexpr UINT kHighestDpi = 480;  // 500 %, the most Windows offers

using GetDpiForWindowEntry = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiEntry = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Entry>
Entry FindUser32Entry(const char* name) {
    // Through the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<Entry>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Newer than Windows 7, which the program still runs on: looked up rather than linked.
struct DpiEntries {
    GetDpiForWindowEntry getDpiForWindow = FindUser32Entry<GetDpiForWindowEntry>("GetDpiForWindow");
    AdjustWindowRectExForDpiEntry adjustWindowRectExForDpi =
        FindUser32Entry<AdjustWindowRectExForDpiEntry>("AdjustWindowRectExForDpi");
};

const DpiEntries& Entries() {
    static const DpiEntries entries;
    return entries;
}

}  // namespace

UINT ScreenDpi() {
    const win::ScreenDc screen;
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

UINT WindowDpi(HWND window, WPARAM reportedDpi) {
    if (Entries().getDpiForWindow) return Entries().getDpiForWindow(window);
    const UINT dpi = HIWORD(reportedDpi);
    const bool plausible = LOWORD(reportedDpi) == dpi && dpi >= kLowestDpi && dpi <= kHighestDpi;
    return plausible ? dpi : 0;
}

RECT FrameAroundCentre(HWND window, DWORD style, SIZE client, UINT dpi) {
    RECT frame{0, 0, client.cx, client.cy};
    if (Entries().adjustWindowRectExForDpi)
        Entries().adjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    else
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    RECT now{};
    GetWindowRect(window, &now);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    const LONG left = (now.left + now.right - width) / 2, top = (now.top + now.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace dhsu
