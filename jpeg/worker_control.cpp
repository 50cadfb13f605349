#include "jpeg/worker_control.h"

namespace dhsu {

void EncodeJpegControl::Wake() {
    {
        std::lock_guard lock(mutex_);
        wakePending_ = true;
    }
    changed_.notify_all();
}

void EncodeJpegControl::RequestTerminate() {
    {
        std::lock_guard lock(mutex_);
        terminateRequested_ = true;
    }
    changed_.notify_all();
}

bool EncodeJpegControl::WaitUntilEnded(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return ended_; });
}

bool EncodeJpegControl::TerminateRequested() const {
    std::lock_guard lock(mutex_);
    return terminateRequested_;
}

void EncodeJpegControl::SleepUntilWoken() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return wakePending_ || terminateRequested_; });
    wakePending_ = false;
}

void EncodeJpegControl::MarkEnded() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
}

}  // namespace dhsu
