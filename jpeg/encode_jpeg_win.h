#pragma once
// The main window's use of the conversion worker.

#include <windows.h>

#include <functional>
#include <memory>

#include "jpeg/Unit_EncodeJpeg.h"

namespace dhsu::win {

// Creates the suspended worker for the main window. The window must hand
// kRunOnUiThreadMessage to HandleRunOnUiThreadMessage; onHeadRemoved is the path list's click
// handler and runs on the UI thread.
std::shared_ptr<EncodeJpegControl> CreateEncodeJpegWorker(ConversionQueue queue, HWND mainWindow,
                                                          std::function<void()> onHeadRemoved);

// One pass over the UI thread's waiting messages, sent ones included, for the close loop.
void ProcessPendingMessages();

}  // namespace dhsu::win
