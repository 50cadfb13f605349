#include "shot/capture_geometry.h"

namespace dhsu {

bool IsFullScreen640(const Rect& desktop, const Rect& window, const Rect& client) {
    if (desktop.right != 640 || desktop.bottom != 480) return false;
    if (window.left != 0 || window.top != 0) return false;
    return client == Rect{0, 0, 640, 480};
}

CaptureRect CaptureRectFor(bool clientAreaMode, const Rect& window, const Rect& client) {
    const Rect& r = clientAreaMode ? client : window;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::optional<CaptureRect> ClipCaptureRect(CaptureRect c, const Rect& clip) {
    if (clip.right <= c.x) return std::nullopt;
    if (clip.bottom <= c.y) return std::nullopt;
    if (clip.left > c.x + c.w) return std::nullopt;
    if (clip.top > c.y + c.h) return std::nullopt;
    if (clip.left > c.x) {
        c.w -= clip.left - c.x;
        c.x = clip.left;
    }
    if (clip.top > c.y) {
        c.h -= clip.top - c.y;
        c.y = clip.top;
    }
    if (clip.right < c.x + c.w) c.w = clip.right - c.x;
    if (clip.bottom < c.y + c.h) c.h = clip.bottom - c.y;
    if (c.w < 0 || c.h < 0) return std::nullopt;
    return c;
}

}  // namespace dhsu
