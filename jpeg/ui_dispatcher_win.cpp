#include "jpeg/ui_dispatcher_win.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace dhsu::win {

struct WindowUiDispatcher::Request {
    const std::function<void()>& step;
    WPARAM ticket;
    std::exception_ptr error;
};

WindowUiDispatcher::WindowUiDispatcher(HWND window)
    : window_(window), message_(RegisterWindowMessageW(kWorkerStepMessageName)) {
    if (message_ == 0) throw std::runtime_error("Cannot register the conversion worker's message.");
}

void WindowUiDispatcher::RunOnUiThread(const std::function<void()>& step) {
    Request request{step, 0, nullptr};
    {
        const std::lock_guard lock(mutex_);
        request.ticket = ++lastTicket_;
        waiting_ = &request;
    }
    SendMessageW(window_, message_, request.ticket, 0);
    {
        // A window that has gone ran nothing; its request must not outlive this call.
        const std::lock_guard lock(mutex_);
        if (waiting_ == &request) waiting_ = nullptr;
    }
    if (request.error) std::rethrow_exception(request.error);
}

WindowUiDispatcher::Request* WindowUiDispatcher::TakeRequest(WPARAM ticket) {
    const std::lock_guard lock(mutex_);
    if (waiting_ == nullptr || waiting_->ticket != ticket) return nullptr;
    return std::exchange(waiting_, nullptr);
}

bool WindowUiDispatcher::HandleMessage(UINT message, WPARAM ticket) {
    if (message != message_) return false;
    Request* request = TakeRequest(ticket);
    if (request == nullptr) return true;
    // The failure belongs to the worker that asked for the step; it reports it and goes on.
    try {
        request->step();
    } catch (...) {
        request->error = std::current_exception();
    }
    return true;
}

}  // namespace dhsu::win
