#pragma once
// The main window at its DPI: its font and its logo, drawn to scale, and following the window to
// a monitor of another DPI. WM_DPICHANGED can come from any program with
// anything in it, so its values are never trusted: the DPI is the system's own, and the window's
// new frame is worked out here rather than read through the message's pointer.

#include <windows.h>

#include "win/handles_win.h"

namespace dhsu {

// Sizes are laid out in pixels at 96 dpi, 100 %.
inline int Scale(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), 96);
}

// The font of the main window, its controls and the dialogs: under a Japanese user locale the
// Japanese UI font with its character set, else Arial.
win::GdiObject CreateWindowFont(UINT dpi);

// The owner-drawn logo control: a ring and the program's name on dark blue, in `font`.
void DrawLogo(const DRAWITEMSTRUCT& item, HFONT font, UINT dpi);

// The DPI of the screen the program starts on.
UINT ScreenDpi();

// The DPI the window is shown at; 0 when it cannot be known. Systems older than Windows 10 1607
// cannot say, and their message's DPI is taken only when it is one a monitor can have.
UINT WindowDpi(HWND window, WPARAM reportedDpi);

// The size of a window with these styles around a client area of `client` at that DPI.
SIZE FrameSize(DWORD style, DWORD exStyle, SIZE client, UINT dpi);

// The frame of a window with this style and client size at that DPI, around the window's
// present centre, so that the window stays on the monitor that gave it the DPI.
RECT FrameAroundCentre(HWND window, DWORD style, SIZE client, UINT dpi);

}  // namespace dhsu
