#include "jpeg/jpeg_conversion_win.h"

#include <utility>

namespace dhsu {

void JpegConversion::Attach(HWND pathList, HWND qualityList) {
    paths_.Attach(pathList);
    qualities_.Attach(qualityList);
}

void JpegConversion::Start(HWND window, std::function<void()> onHeadRemoved) {
    steps_ = std::make_shared<win::WorkerStepMessage>(window);
    worker_ = CreateEncodeJpeg(
        {queue_, steps_, std::make_shared<win::WinConversionPlatform>(), std::move(onHeadRemoved)});
}

bool JpegConversion::HandleWorkerStep(UINT message, WPARAM wParam) {
    return steps_ && steps_->HandleMessage(message, wParam);
}

bool JpegConversion::RefusesShots() {
    if (!QueueIsFull(queue_)) return false;
    if (worker_) worker_->Wake();
    return true;
}

void JpegConversion::Add(const std::string& path, std::int16_t quality) {
    Enqueue(queue_, path, std::to_string(quality));
    worker_->Wake();
}

void JpegConversion::StopOnClose(const std::function<void()>& handleMessages) {
    StopEncodeJpegOnClose(paths_, *worker_, handleMessages);
}

void JpegConversion::StopNow() {
    StopEncodeJpegNow(*worker_);
}

}  // namespace dhsu
