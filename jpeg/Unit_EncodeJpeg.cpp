#include "jpeg/Unit_EncodeJpeg.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <thread>
#include <utility>

#include "jpeg/jpeg_quality.h"

namespace dhsu {
namespace {

constexpr const char* kLibraryMissingText = "NviewLib.dll is not found.";
constexpr const char* kNoEntryPointsText = "NviewLib.dll lacks its conversion entry points.";
constexpr const char* kUnreadableText =
    "NviewLib.dll could not read the picture, or it is too large.";
constexpr const char* kNotWrittenText = "The JPEG file could not be written; the disk may be full.";
constexpr const char* kJpegTakenText =
    "A file of the JPEG's name is already there and stays as it is.";
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
    // Nothing when the JPEG has replaced the BMP, or the failure was told already; otherwise
    // why the BMP stays.
    const char* ConvertExistingBmp();
    // The reason, and the BMP the player still has, in the missing library's kind of box.
    void ReportKeptBmp(const std::string& reason);

    void RunOnUiThread(void (TEncodeJpeg::*step)());
    // One failing file or step is reported and the worker goes on with the queue.
    void RunReported(const std::function<void()>& work);

    std::shared_ptr<WorkerSignal> signal_;
    EncodeJpegSetup setup_;
    QueueEntry current_;  // the head taken, empty when there is nothing to convert
};

void TEncodeJpeg::Execute() {
    // Made suspended: nothing happens before the first wake-up.
    signal_->SleepUntilWoken();
    for (;;) {
        if (signal_->StopRequested()) return;
        RunReported([this] { RunOnUiThread(&TEncodeJpeg::ReadQueueHead); });
        if (!current_.path.empty()) {
            RunReported([this] { ConvertToJpeg(); });
            RunReported([this] { RunOnUiThread(&TEncodeJpeg::RemoveQueueHead); });
            if (signal_->StopRequested()) return;
        } else {
            if (signal_->StopRequested()) return;
            signal_->SleepUntilWoken();
        }
    }
}

// A line that another program added to the list boxes is dropped, its file left alone. Ours is
// converted at the quality we recorded: the quality list only keeps step with the paths.
void TEncodeJpeg::ReadQueueHead() {
    current_ = {};
    bool droppedForeign = false;
    while (!QueueIsEmpty(setup_.queue)) {
        if (std::optional<QueueEntry> own = setup_.queue.own.Take(QueueHeadPath(setup_.queue))) {
            current_ = std::move(*own);
            break;
        }
        RemoveQueueHeadLines(setup_.queue);
        droppedForeign = true;
    }
    if (droppedForeign && setup_.onHeadRemoved) setup_.onHeadRemoved();
}

// A head that is no longer the one taken was put in front of it meanwhile; the next read sorts
// out both.
void TEncodeJpeg::RemoveQueueHead() {
    if (QueueHeadPath(setup_.queue) == current_.path) RemoveQueueHeadLines(setup_.queue);
    current_ = {};
    if (setup_.onHeadRemoved) setup_.onHeadRemoved();
}

void TEncodeJpeg::ConvertToJpeg() {
    // A BMP the user deleted before its turn is no failure to tell of.
    if (!setup_.platform->IsFile(current_.path)) return;
    if (const char* failure = ConvertExistingBmp()) ReportKeptBmp(failure);
}

const char* TEncodeJpeg::ConvertExistingBmp() {
    const std::int32_t quality = UsableQuality(ParseQualityText(current_.quality));
    ConversionPlatform& platform = *setup_.platform;
    const std::string jpegPath = JpegPathFor(current_.path);
    // An older JPEG of the same name is the user's file, not ours to replace.
    if (platform.IsFile(jpegPath)) return kJpegTakenText;
    const std::unique_ptr<JpegLibrary> library = platform.OpenJpegLibrary();
    if (!library) {
        platform.ShowMessage(kLibraryMissingText, kJpegErrorCaption, kMessageIconInformation);
        return nullptr;
    }
    if (!library->HasEntryPoints()) return kNoEntryPointsText;
    if (!library->Load(current_.path)) return kUnreadableText;
    // Only a JPEG this save wrote replaces the shot. A failed save keeps the BMP, and so does a
    // file that another program put at the JPEG's name meanwhile, which the library leaves be.
    const bool saved = library->SaveAsJpg(quality, jpegPath);
    if (!platform.IsFile(jpegPath)) return kNotWrittenText;
    if (!saved) return kJpegTakenText;
    platform.RemoveFile(current_.path);
    return nullptr;
}

void TEncodeJpeg::ReportKeptBmp(const std::string& reason) {
    setup_.platform->ShowMessage(reason + "\nThe shot is kept as " + current_.path,
                                 kJpegErrorCaption, kMessageIconInformation);
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
    // Once the session has ended, the worker is stopped and nothing drains the queue any more.
    while (paths.Count() > 0 && !worker.StopRequested()) {
        // A line that another program added is dropped only by the worker, which may sleep.
        worker.Wake();
        handleMessages();
    }
    StopEncodeJpegNow(worker);
}

void StopEncodeJpegNow(WorkerSignal& worker) {
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
