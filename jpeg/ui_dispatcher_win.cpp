#include "jpeg/ui_dispatcher_win.h"

#include <exception>

namespace dhsu::win {
namespace {

struct UiStepCall {
    const std::function<void()>& step;
    std::exception_ptr error;
};

}  // namespace

void WindowUiDispatcher::RunOnUiThread(const std::function<void()>& step) {
    UiStepCall call{step, nullptr};
    SendMessageW(window_, kRunOnUiThreadMessage, 0, reinterpret_cast<LPARAM>(&call));
    if (call.error) std::rethrow_exception(call.error);
}

bool HandleRunOnUiThreadMessage(UINT message, LPARAM lParam) {
    if (message != kRunOnUiThreadMessage) return false;
    auto& call = *reinterpret_cast<UiStepCall*>(lParam);
    // The failure belongs to the worker that asked for the step; it reports it and goes on.
    try {
        call.step();
    } catch (...) {
        call.error = std::current_exception();
    }
    return true;
}

}  // namespace dhsu::win
