#pragma once
// The wake-up, terminate request and end of the conversion worker. The window and the worker's
// thread share it, so a wake-up given after the worker has freed itself touches nothing freed.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace dhsu {

class EncodeJpegControl {
  public:
    // The window's side.
    // Resumes the worker if it sleeps; if it is running, its next sleep returns at once.
    void Wake();
    void RequestTerminate();
    // For tests: the program never waits for the worker.
    bool WaitUntilEnded(std::chrono::milliseconds timeout);

    // The worker's side.
    bool TerminateRequested() const;
    // Returns at once when woken since the last return, so a wake-up that comes between
    // finding the queue empty and going to sleep is not lost.
    void SleepUntilWoken();
    void MarkEnded();

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool wakePending_ = false;
    bool terminateRequested_ = false;
    bool ended_ = false;
};

}  // namespace dhsu
