#include "shot/window_capture_win.h"

#include <exception>
#include <utility>

#include "shot/capture_geometry.h"
#include "shot/client_area_read.h"
#include "shot/window_dc_read_win.h"
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
    if (desktop.right != 640 || desktop.bottom != 480) return true;
    return !IsFullScreen640(desktop, WindowRectOf(foreground), ClientRectOf(foreground));
}

// Copies `wanted`, cut to the device context's clip box, from `source`; false when nothing of
// it lies there. The window's own device context is read through its seam.
bool ReadFrom(HWND source, const CaptureRect& wanted, CaptureBuffer& image) {
    const win::WindowDc dc(source, GetDCEx(source, nullptr, kCaptureDcFlags));
    if (!dc) return false;
    RECT clipBox{};
    GetClipBox(dc.Get(), &clipBox);
    const auto capture = ClipCaptureRect(wanted, ToRect(clipBox));
    if (!capture) return false;
    if (source == GetDesktopWindow())
        image.CopyFrom(dc.Get(), *capture);
    else
        ReadWindowDc(dc.Get(), *capture, image);
    return true;
}

// The client area as the screen shows it, cut to the screen.
bool ReadClientAreaFromScreen(HWND window, CaptureBuffer& image) {
    POINT origin{};
    ClientToScreen(window, &origin);
    const Rect client = ClientRectOf(window);
    return ReadFrom(GetDesktopWindow(), {origin.x, origin.y, client.right, client.bottom}, image);
}

}  // namespace

bool CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image, CaptureBuffer& screenRead) {
    // Read once: the decision and the capture must be about the same window.
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return false;
    const bool clientArea = UseClientArea(clientAreaMode, foreground);
    const CaptureRect wanted =
        CaptureRectFor(clientArea, WindowRectOf(foreground), ClientRectOf(foreground));
    if (!ReadFrom(clientArea ? foreground : GetDesktopWindow(), wanted, image)) return false;
    if (!clientArea) return true;
    // A screen read that fails leaves the window's read to be saved, as it would be without it.
    const auto readScreen = [&]() -> const ShotImage* {
        try {
            return ReadClientAreaFromScreen(foreground, screenRead) ? &screenRead : nullptr;
        } catch (const std::exception&) {
            return nullptr;
        }
    };
    if (ChooseClientAreaRead(image, readScreen) == ClientAreaRead::kScreen)
        std::swap(image, screenRead);
    return true;
}

}  // namespace dhsu
