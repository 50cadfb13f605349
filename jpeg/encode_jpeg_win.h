#pragma once
// The main window's use of the conversion worker.

#include <windows.h>

#include <functional>
#include <memory>

#include "jpeg/Unit_EncodeJpeg.h"
#include "jpeg/ui_dispatcher_win.h"

namespace dhsu::win {

// Creates the suspended worker for the main window, whose procedure must give every message to
// ui.HandleMessage first; onHeadRemoved is the path list's click handler and runs on the UI
// thread.
std::shared_ptr<EncodeJpegControl> CreateEncodeJpegWorker(ConversionQueue queue,
                                                          std::shared_ptr<WindowUiDispatcher> ui,
                                                          std::function<void()> onHeadRemoved);

// One pass over the UI thread's waiting messages, sent ones included, for the close loop.
void ProcessPendingMessages();

}  // namespace dhsu::win
