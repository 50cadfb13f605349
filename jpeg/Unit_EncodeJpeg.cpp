#include "jpeg/Unit_EncodeJpeg.h"

#include <exception>
#include <thread>
#include <utility>

namespace dhsu {

TEncodeJpeg::TEncodeJpeg(EncodeJpegControl& control, EncodeJpegSetup setup)
    : control_(control), setup_(std::move(setup)) {}

void TEncodeJpeg::Execute() {
    for (;;) {
        if (control_.TerminateRequested()) return;
        RunReported([this] { RunOnUiThread(&TEncodeJpeg::ReadQueueHead); });
        if (!currentPath_.empty()) {
            RunReported([this] { ConvertToJpeg(); });
            RunReported([this] { RunOnUiThread(&TEncodeJpeg::RemoveQueueHead); });
            if (control_.TerminateRequested()) return;
        } else {
            if (control_.TerminateRequested()) return;
            control_.SleepUntilWoken();
        }
    }
}

void TEncodeJpeg::ReadQueueHead() {
    currentPath_.clear();
    currentQuality_ = kDefaultJpegQuality;
    if (setup_.queue.paths.Count() > 0) currentPath_ = setup_.queue.paths.First();
    if (setup_.queue.qualities.Count() > 0) {
        currentQuality_ = ParseQualityText(setup_.queue.qualities.First());
    }
}

void TEncodeJpeg::RemoveQueueHead() {
    currentPath_.clear();
    currentQuality_ = kDefaultJpegQuality;
    if (setup_.queue.paths.Count() > 0) setup_.queue.paths.RemoveFirst();
    if (setup_.queue.qualities.Count() > 0) setup_.queue.qualities.RemoveFirst();
    if (setup_.onHeadRemoved) setup_.onHeadRemoved();
}

void TEncodeJpeg::ConvertToJpeg() {
    const std::int32_t quality = UsableQuality(currentQuality_);
    ConversionPlatform& platform = *setup_.platform;
    if (!platform.FileExists(currentPath_)) return;
    const std::string jpegPath = JpegPathFor(currentPath_);
    // An older JPEG of the same name is the user's file, not ours to replace.
    if (platform.FileExists(jpegPath)) return;
    const std::unique_ptr<JpegLibrary> library = platform.OpenJpegLibrary();
    if (!library) {
        platform.ShowMessage(kLibraryMissingText, kJpegErrorCaption, kMessageIconInformation);
        return;
    }
    library->Load(currentPath_, 0);
    // Only a JPEG this save wrote replaces the shot. A failed save keeps the BMP, and so does a
    // file that another program put at the JPEG's name meanwhile, which the library leaves be.
    const bool saved = library->SaveAsJpg(quality, jpegPath);
    if (saved && platform.FileExists(jpegPath)) platform.RemoveFile(currentPath_);
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

namespace {

void RunWorkerThread(EncodeJpegControl& control, std::unique_ptr<TEncodeJpeg> worker) {
    try {
        control.SleepUntilWoken();
        worker->Execute();
    } catch (...) {
        // What gets here could not even be reported; nothing may leave the thread.
    }
    worker.reset();
    control.MarkEnded();
}

}  // namespace

std::shared_ptr<EncodeJpegControl> CreateEncodeJpeg(EncodeJpegSetup setup) {
    auto control = std::make_shared<EncodeJpegControl>();
    auto worker = std::make_unique<TEncodeJpeg>(*control, std::move(setup));
    std::thread([control, worker = std::move(worker)]() mutable {
        RunWorkerThread(*control, std::move(worker));
    }).detach();
    return control;
}

void StopEncodeJpegOnClose(const StringList& paths, EncodeJpegControl& worker,
                           const std::function<void()>& processPendingMessages) {
    while (paths.Count() > 0) processPendingMessages();
    worker.RequestTerminate();
    worker.Wake();
}

}  // namespace dhsu
