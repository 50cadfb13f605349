#include "jpeg/encode_jpeg_win.h"

#include <utility>

#include "jpeg/conversion_platform_win.h"

namespace dhsu::win {

std::shared_ptr<EncodeJpegControl> CreateEncodeJpegWorker(ConversionQueue queue,
                                                          std::shared_ptr<WindowUiDispatcher> ui,
                                                          std::function<void()> onHeadRemoved) {
    return CreateEncodeJpeg({queue, std::move(ui), std::make_shared<WinConversionPlatform>(),
                             std::move(onHeadRemoved)});
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the message loop that is waiting for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace dhsu::win
