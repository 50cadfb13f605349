#pragma once
// The conversion worker: takes the queue's head on the UI thread, turns the BMP into a JPEG on
// its own thread, and removes the head on the UI thread again, until the queue is empty.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "jpeg/conversion_platform.h"
#include "jpeg/conversion_queue.h"
#include "jpeg/conversion_rules.h"
#include "jpeg/ui_dispatcher.h"
#include "jpeg/worker_control.h"

namespace dhsu {

struct EncodeJpegSetup {
    ConversionQueue queue;  // touched only on the UI thread
    std::shared_ptr<UiDispatcher> ui;
    std::shared_ptr<ConversionPlatform> platform;
    std::function<void()> onHeadRemoved;  // the path list's click handler, run on the UI thread
};

class TEncodeJpeg {
  public:
    TEncodeJpeg(EncodeJpegControl& control, EncodeJpegSetup setup);

    void Execute();

    // UI thread.
    void ReadQueueHead();
    void RemoveQueueHead();
    // Worker thread.
    void ConvertToJpeg();

  private:
    void RunOnUiThread(void (TEncodeJpeg::*step)());
    // One failing file or step is reported and the worker goes on with the queue.
    void RunReported(const std::function<void()>& work);

    EncodeJpegControl& control_;
    EncodeJpegSetup setup_;
    std::string currentPath_;
    std::int32_t currentQuality_ = kDefaultJpegQuality;
};

// Creates the worker suspended: its thread waits for the first wake-up before running Execute.
// The thread owns the worker and frees it when Execute returns; the caller keeps the control.
std::shared_ptr<EncodeJpegControl> CreateEncodeJpeg(EncodeJpegSetup setup);

// Closing: handle messages until the queue is empty, so that every shot queued meanwhile is
// converted too, then have the worker end. Does not wait for the thread.
void StopEncodeJpegOnClose(const StringList& paths, EncodeJpegControl& worker,
                           const std::function<void()>& processPendingMessages);

}  // namespace dhsu
