#pragma once
// The windows whose own device context read flat while the screen showed them, each for as long
// as it lives: their next shots read the screen first.

#include <windows.h>

#include <vector>

namespace dhsu {

class ScreenFirstWindows {
  public:
    bool Contains(HWND window);
    void Set(HWND window, bool screenFirst);

  private:
    // A handle value comes back for a new window once the old one is gone; the thread that
    // owns it tells most such new windows apart.
    struct Identity {
        HWND window;
        DWORD processId, threadId;
        bool operator==(const Identity&) const = default;
    };
    static Identity IdentityOf(HWND window);
    void ForgetTheGone();

    std::vector<Identity> windows_;
};

}  // namespace dhsu
