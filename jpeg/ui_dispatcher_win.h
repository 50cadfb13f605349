#pragma once
// The worker's steps run on the UI thread as a message sent to the main window. Any program can
// send a window any message, so the message only says "look now": the step itself waits here,
// in our own memory, under the ticket the message carries.

#include <windows.h>

#include <mutex>

#include "jpeg/ui_dispatcher.h"

namespace dhsu::win {

// The name the message is registered under; another program may learn it, never a step.
constexpr wchar_t kWorkerStepMessageName[] = L"Tarnwick.DHScreenshotUtility.WorkerStep";

class WindowUiDispatcher : public UiDispatcher {
  public:
    explicit WindowUiDispatcher(HWND window);
    void RunOnUiThread(const std::function<void()>& step) override;

    // The main window's procedure calls this before anything else and returns 0 when it gives
    // true. A modal loop or the close loop delivers the message as well, since it is sent. A
    // message that brings no waiting step's ticket runs nothing.
    bool HandleMessage(UINT message, WPARAM ticket);

  private:
    struct Request;
    Request* TakeRequest(WPARAM ticket);

    HWND window_;
    UINT message_;
    std::mutex mutex_;
    Request* waiting_ = nullptr;
    WPARAM lastTicket_ = 0;
};

}  // namespace dhsu::win
