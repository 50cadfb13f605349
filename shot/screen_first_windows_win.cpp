#include "shot/screen_first_windows_win.h"

#include <algorithm>

namespace dhsu {

ScreenFirstWindows::Identity ScreenFirstWindows::IdentityOf(HWND window) {
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    return {window, processId, threadId};
}

// A window that is gone has no thread, so its identity no longer matches.
void ScreenFirstWindows::ForgetTheGone() {
    std::erase_if(windows_,
                  [](const Identity& known) { return IdentityOf(known.window) != known; });
}

bool ScreenFirstWindows::Contains(HWND window) {
    ForgetTheGone();
    return std::ranges::find(windows_, IdentityOf(window)) != windows_.end();
}

void ScreenFirstWindows::Set(HWND window, bool screenFirst) {
    const Identity identity = IdentityOf(window);
    std::erase(windows_, identity);
    if (screenFirst) windows_.push_back(identity);
}

}  // namespace dhsu
