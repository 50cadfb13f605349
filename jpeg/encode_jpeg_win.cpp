#include "jpeg/encode_jpeg_win.h"

#include <exception>
#include <stdexcept>
#include <utility>

#include "nviewlib/nviewlib.h"
#include "win/entry_point_win.h"
#include "win/files_win.h"
#include "win/handles_win.h"
#include "win/text_win.h"

namespace dhsu::win {
namespace {

// NviewLib.dll with its two entry points, both taking UTF-8 paths.
class NviewLibrary final : public JpegLibrary {
  public:
    explicit NviewLibrary(Library module)
        : module_(std::move(module)),
          load_(FindEntry<LoadEntry>(module_.Get(), "NViewLibLoad")),
          saveAsJpg_(FindEntry<SaveAsJpgEntry>(module_.Get(), "NViewLibSaveAsJPG")) {}

    bool HasEntryPoints() const override { return load_ != nullptr && saveAsJpg_ != nullptr; }
    bool Load(const std::string& bmpPath) override {
        return load_ != nullptr && load_(bmpPath.c_str(), 0) != 0;
    }
    bool SaveAsJpg(int quality, const std::string& jpegPath) override {
        return saveAsJpg_ != nullptr && saveAsJpg_(quality, jpegPath.c_str()) != 0;
    }

  private:
    using LoadEntry = decltype(&NViewLibLoad);
    using SaveAsJpgEntry = decltype(&NViewLibSaveAsJPG);

    Library module_;
    LoadEntry load_;
    SaveAsJpgEntry saveAsJpg_;
};

constexpr wchar_t kNviewLibName[] = L"NviewLib.dll";

// Nothing when `folder` is unknown: a bare name would be looked for everywhere.
Library LoadNviewLibFrom(const std::string& folder) {
    if (folder.empty()) return Library();
    return Library(LoadLibraryW((Wide(folder) + kNviewLibName).c_str()));
}

// Only beside the program or in the system folder: a library of that name in the current
// directory or on PATH may have been put there by anybody.
Library LoadNviewLib() {
    Library module(
        LoadLibraryExW(kNviewLibName, nullptr,
                       LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32));
    // A loader that knows no search flags (Windows 7 without its update) refuses them: the same
    // two folders then, by full path.
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    module = LoadNviewLibFrom(ProgramDirectory());
    if (!module) module = LoadNviewLibFrom(SystemDirectory());
    return module;
}

}  // namespace

struct WorkerStepMessage::Request {
    const std::function<void()>& step;
    WPARAM ticket;
    std::exception_ptr error;
};

WorkerStepMessage::WorkerStepMessage(HWND window)
    : window_(window), message_(RegisterWindowMessageW(kWorkerStepMessageName)) {
    if (message_ == 0) throw std::runtime_error("Cannot register the conversion worker's message.");
}

void WorkerStepMessage::RunOnUiThread(const std::function<void()>& step) {
    Request request{step, 0, nullptr};
    {
        const std::lock_guard lock(mutex_);
        request.ticket = ++lastTicket_;
        waiting_ = &request;
    }
    SendMessageW(window_, message_, request.ticket, 0);
    {
        // A window that has gone ran nothing; its request must not outlive this call.
        const std::lock_guard lock(mutex_);
        if (waiting_ == &request) waiting_ = nullptr;
    }
    if (request.error) std::rethrow_exception(request.error);
}

WorkerStepMessage::Request* WorkerStepMessage::TakeRequest(WPARAM ticket) {
    const std::lock_guard lock(mutex_);
    if (waiting_ == nullptr || waiting_->ticket != ticket) return nullptr;
    return std::exchange(waiting_, nullptr);
}

bool WorkerStepMessage::HandleMessage(UINT message, WPARAM ticket) {
    if (message != message_) return false;
    Request* request = TakeRequest(ticket);
    if (request == nullptr) return true;
    // The failure belongs to the worker that asked for the step; it reports it and goes on.
    try {
        request->step();
    } catch (...) {
        request->error = std::current_exception();
    }
    return true;
}

// Converting gives way to the player's game. Background mode lowers the thread's I/O and memory
// priority, but it also drops its CPU priority to the lowest there is, behind every program
// running at all, where a busy machine can starve it: three files then wait and further shots
// are lost. So the CPU priority comes back up to below normal, still behind the game.
void WinConversionPlatform::WorkerThreadStarted() {
    SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

bool WinConversionPlatform::IsFile(const std::string& path) const {
    return win::IsFile(Wide(path));
}

void WinConversionPlatform::RemoveFile(const std::string& path) {
    DeleteFileW(Wide(path).c_str());
}

std::unique_ptr<JpegLibrary> WinConversionPlatform::OpenJpegLibrary() {
    Library module = LoadNviewLib();
    if (!module) return nullptr;
    return std::make_unique<NviewLibrary>(std::move(module));
}

void WinConversionPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                        unsigned flags) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), flags);
}

}  // namespace dhsu::win
