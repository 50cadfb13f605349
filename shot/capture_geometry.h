#pragma once
// Where a shutter-key capture copies from: the 640 x 480 full-screen rule and the clipping.

#include <cstdint>
#include <optional>

namespace dhsu {

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct CaptureRect {
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    bool operator==(const CaptureRect&) const = default;
};

// A game running full screen at 640 x 480 has a client area equal to its window, so it is
// captured as the whole window even in client-area mode.
bool IsFullScreen640(const Rect& desktop, const Rect& window, const Rect& client);

// The rectangle to copy: in client-area mode the client rectangle (x = y = 0), otherwise the
// window rectangle on the screen.
CaptureRect CaptureRectFor(bool clientAreaMode, const Rect& window, const Rect& client);

// Cuts the capture to the device context's clip box; nothing when no part of it is left.
std::optional<CaptureRect> ClipCaptureRect(CaptureRect capture, const Rect& clip);

}  // namespace dhsu
