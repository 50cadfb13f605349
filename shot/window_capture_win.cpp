#include "shot/window_capture_win.h"

#include "shot/capture_geometry.h"
#include "win/handles_win.h"

namespace dhsu {
namespace {

constexpr DWORD kCaptureDcFlags = DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE;

Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

Rect WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return ToRect(r);
}

Rect ClientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return ToRect(r);
}

// A full-screen 640 x 480 game is taken whole even in client-area mode.
bool UseClientArea(bool clientAreaMode, HWND foreground) {
    if (!clientAreaMode) return false;
    const Rect desktop = WindowRectOf(GetDesktopWindow());
    if (desktop.right != 640 || desktop.bottom != 480 || foreground == nullptr) return true;
    return !IsFullScreen640(desktop, WindowRectOf(foreground), ClientRectOf(foreground));
}

}  // namespace

bool CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image) {
    const bool clientArea = UseClientArea(clientAreaMode, GetForegroundWindow());
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return false;
    HWND source = clientArea ? foreground : GetDesktopWindow();
    const win::WindowDc dc(source, GetDCEx(source, nullptr, kCaptureDcFlags));
    if (!dc) return false;
    RECT clipBox{};
    GetClipBox(dc.Get(), &clipBox);
    const auto capture = ClipCaptureRect(
        CaptureRectFor(clientArea, WindowRectOf(foreground), ClientRectOf(foreground)),
        ToRect(clipBox));
    if (!capture) return false;
    image.Resize(capture->w, capture->h);
    const win::MemoryDc target(CreateCompatibleDC(dc.Get()));
    const win::SelectedObject selected(target.Get(), image.Bitmap());
    BitBlt(target.Get(), 0, 0, capture->w, capture->h, dc.Get(), capture->x, capture->y, SRCCOPY);
    return true;
}

}  // namespace dhsu
