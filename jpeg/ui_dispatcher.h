#pragma once
// How the worker reaches the UI thread: the queue and the window live there.

#include <functional>

namespace dhsu {

class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;
    // Runs the step on the UI thread and returns when it has finished. An exception the step
    // throws is raised again here, on the calling thread.
    virtual void RunOnUiThread(const std::function<void()>& step) = 0;
};

}  // namespace dhsu
