#pragma once
// The worker's steps run on the UI thread as a message sent to the main window.

#include <windows.h>

#include "jpeg/ui_dispatcher.h"

namespace dhsu::win {

// lParam points at the sender's call record; the sender waits until it has run.
constexpr UINT kRunOnUiThreadMessage = WM_APP + 1;

class WindowUiDispatcher : public UiDispatcher {
  public:
    explicit WindowUiDispatcher(HWND window) : window_(window) {}
    void RunOnUiThread(const std::function<void()>& step) override;

  private:
    HWND window_;
};

// The main window's procedure calls this before anything else and returns 0 when it gives
// true. A modal loop or the close loop delivers the message as well, since it is sent.
bool HandleRunOnUiThreadMessage(UINT message, LPARAM lParam);

}  // namespace dhsu::win
