#include "jpeg/Unit_EncodeJpeg.h"

#include <cstdint>
#include <exception>
#include <thread>
#include <utility>

#include "jpeg/jpeg_quality.h"

namespace dhsu {
namespace {

constexpr const char* kLibraryMissingText = "NviewLib.dll is not found.";
constexpr const char* kJpegErrorCaption = "JPEG Encoding Error";
constexpr unsigned kMessageIconError = 0x10;        // MB_ICONERROR
constexpr unsigned kMessageIconInformation = 0x40;  // MB_ICONINFORMATION

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

class TEncodeJpeg {
  public:
    TEncodeJpeg(std::shared_ptr<WorkerSignal> signal, EncodeJpegSetup setup)
        : signal_(std::move(signal)), setup_(std::move(setup)) {}

    void StartThread() { setup_.platform->WorkerThreadStarted(); }
    void Execute();

  private:
    // UI thread.
    void ReadQueueHead();
    void RemoveQueueHead();
    // Worker thread.
    void ConvertToJpeg();

    void RunOnUiThread(void (TEncodeJpeg::*step)());
    // One failing file or step is reported and the worker goes on with the queue.
    void RunReported(const std::function<void()>& work);

    std::shared_ptr<WorkerSignal> signal_;
    EncodeJpegSetup setup_;
    std::string currentPath_;
    std::int32_t currentQuality_ = kDefaultQuality;
};

void TEncodeJpeg::Execute() {
    // Made suspended: nothing happens before the first wake-up.
    signal_->SleepUntilWoken();
    for (;;) {
        if (signal_->StopRequested()) return;
        RunReported([this] { RunOnUiThread(&TEncodeJpeg::ReadQueueHead); });
        if (!currentPath_.empty()) {
            RunReported([this] { ConvertToJpeg(); });
            RunReported([this] { RunOnUiThread(&TEncodeJpeg::RemoveQueueHead); });
            if (signal_->StopRequested()) return;
        } else {
            if (signal_->StopRequested()) return;
            signal_->SleepUntilWoken();
        }
    }
}

void TEncodeJpeg::ReadQueueHead() {
    currentPath_.clear();
    currentQuality_ = kDefaultQuality;
    if (setup_.queue.paths.Count() > 0) currentPath_ = setup_.queue.paths.First();
    if (setup_.queue.qualities.Count() > 0) {
        currentQuality_ = ParseQualityText(setup_.queue.qualities.First());
    }
}

void TEncodeJpeg::RemoveQueueHead() {
    currentPath_.clear();
    currentQuality_ = kDefaultQuality;
    if (setup_.queue.paths.Count() > 0) setup_.queue.paths.RemoveFirst();
    if (setup_.queue.qualities.Count() > 0) setup_.queue.qualities.RemoveFirst();
    if (setup_.onHeadRemoved) setup_.onHeadRemoved();
}

void TEncodeJpeg::ConvertToJpeg() {
    const std::int32_t quality = UsableQuality(currentQuality_);
    ConversionPlatform& platform = *setup_.platform;
    if (!platform.IsFile(currentPath_)) return;
    const std::string jpegPath = JpegPathFor(currentPath_);
    // An older JPEG of the same name is the user's file, not ours to replace.
    if (platform.IsFile(jpegPath)) return;
    const std::unique_ptr<JpegLibrary> library = platform.OpenJpegLibrary();
    if (!library) {
        platform.ShowMessage(kLibraryMissingText, kJpegErrorCaption, kMessageIconInformation);
        return;
    }
    library->Load(currentPath_);
    // Only a JPEG this save wrote replaces the shot. A failed save keeps the BMP, and so does a
    // file that another program put at the JPEG's name meanwhile, which the library leaves be.
    const bool saved = library->SaveAsJpg(quality, jpegPath);
    if (saved && platform.IsFile(jpegPath)) platform.RemoveFile(currentPath_);
}

void TEncodeJpeg::RunOnUiThread(void (TEncodeJpeg::*step)()) {
    setup_.ui->RunOnUiThread([this, step] { (this->*step)(); });
}

void TEncodeJpeg::RunReported(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        setup_.platform->ShowMessage(error.what(), kJpegErrorCaption, kMessageIconError);
    } catch (...) {
        setup_.platform->ShowMessage("Unknown error.", kJpegErrorCaption, kMessageIconError);
    }
}

// The thread owns the worker and frees it as it ends.
void RunWorkerThread(std::unique_ptr<TEncodeJpeg> worker) {
    try {
        worker->StartThread();
        worker->Execute();
    } catch (...) {
        // What gets here could not even be reported; nothing may leave the thread.
    }
}

}  // namespace

void WorkerSignal::Wake() {
    {
        const std::lock_guard lock(mutex_);
        wakePending_ = true;
    }
    changed_.notify_all();
}

void WorkerSignal::RequestStop() {
    {
        const std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    changed_.notify_all();
}

bool WorkerSignal::StopRequested() const {
    const std::lock_guard lock(mutex_);
    return stopRequested_;
}

void WorkerSignal::SleepUntilWoken() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return wakePending_ || stopRequested_; });
    wakePending_ = false;
}

std::shared_ptr<WorkerSignal> CreateEncodeJpeg(EncodeJpegSetup setup) {
    auto signal = std::make_shared<WorkerSignal>();
    std::thread(RunWorkerThread, std::make_unique<TEncodeJpeg>(signal, std::move(setup))).detach();
    return signal;
}

void StopEncodeJpegOnClose(const StringList& paths, WorkerSignal& worker,
                           const std::function<void()>& handleMessages) {
    while (paths.Count() > 0) handleMessages();
    worker.RequestStop();
    worker.Wake();
}

std::string JpegPathFor(const std::string& bmpPath) {
    // Characters, not bytes: a multi-byte UTF-8 character counts once.
    std::size_t cut = bmpPath.size();
    for (int dropped = 0; dropped < 3 && cut > 0; ++dropped) {
        do --cut;
        while (cut > 0 && IsUtf8Continuation(bmpPath[cut]));
    }
    return bmpPath.substr(0, cut) + "jpg";
}

}  // namespace dhsu
