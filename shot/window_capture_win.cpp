#include "shot/window_capture_win.h"

#include <exception>
#include <functional>
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
// it lies there.
bool ReadFrom(HWND source, const CaptureRect& wanted, CaptureBuffer& image) {
    const win::WindowDc dc(source, GetDCEx(source, nullptr, kCaptureDcFlags));
    if (!dc) return false;
    RECT clipBox{};
    GetClipBox(dc.Get(), &clipBox);
    const auto capture = ClipCaptureRect(wanted, ToRect(clipBox));
    if (!capture) return false;
    ReadWindowDc(source, dc.Get(), *capture, image);
    return true;
}

// The client area as the screen shows it, cut to the screen.
bool ReadClientAreaFromScreen(HWND window, CaptureBuffer& image) {
    POINT origin{};
    ClientToScreen(window, &origin);
    const Rect client = ClientRectOf(window);
    return ReadFrom(GetDesktopWindow(), {origin.x, origin.y, client.right, client.bottom}, image);
}

// A read besides the one the shot falls back on: one that fails is as good as none.
std::function<const ShotImage*()> Optional(std::function<bool(CaptureBuffer&)> read,
                                           CaptureBuffer& image) {
    return [read = std::move(read), &image]() -> const ShotImage* {
        try {
            return read(image) ? &image : nullptr;
        } catch (const std::exception&) {
            return nullptr;
        }
    };
}

}  // namespace

bool WindowCapture::CaptureForegroundWindow(bool clientAreaMode, CaptureBuffer& image) {
    // Read once: the decision and the capture must be about the same window.
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return false;
    const bool clientArea = UseClientArea(clientAreaMode, foreground);
    const CaptureRect wanted =
        CaptureRectFor(clientArea, WindowRectOf(foreground), ClientRectOf(foreground));
    if (!clientArea) return ReadFrom(GetDesktopWindow(), wanted, image);
    return CaptureClientArea(foreground, wanted, image);
}

bool WindowCapture::CaptureClientArea(HWND window, const CaptureRect& wanted,
                                      CaptureBuffer& image) {
    bool windowRead = false;
    const CaptureRect middleRow{wanted.x, wanted.y + wanted.h / 2, wanted.w, 1};
    const ClientAreaReads reads{
        [&]() -> const ShotImage* {
            windowRead = ReadFrom(window, wanted, image);
            return windowRead ? &image : nullptr;
        },
        Optional([window](CaptureBuffer& read) { return ReadClientAreaFromScreen(window, read); },
                 screenRead_),
        Optional([&](CaptureBuffer& read) { return ReadFrom(window, middleRow, read); },
                 windowRow_),
    };
    const ClientAreaChoice choice = ChooseClientAreaRead(screenFirst_.Contains(window), reads);
    screenFirst_.Set(window, choice.screenFirst);
    if (choice.read == ClientAreaRead::kWindow) return windowRead;
    std::swap(image, screenRead_);
    return true;
}

}  // namespace dhsu
