#pragma once
// The conversion worker on Windows: its steps reach the UI thread as a message to the main
// window, and its platform is the file system, NviewLib.dll and the message box.

#include <windows.h>

#include <mutex>

#include "jpeg/Unit_EncodeJpeg.h"

namespace dhsu::win {

// The name the step message is registered under; another program may learn it, never a step.
constexpr wchar_t kWorkerStepMessageName[] = L"Tarnwick.DHScreenshotUtility.WorkerStep";

// Any program can send a window any message, so the message only says "look now": the step
// itself waits here, in our own memory, under the ticket the message carries.
class WorkerStepMessage final : public UiDispatcher {
  public:
    explicit WorkerStepMessage(HWND window);
    void RunOnUiThread(const std::function<void()>& step) override;

    // The main window's procedure calls this before anything else and returns 0 when it gives
    // true. A modal loop or the close loop delivers the message as well, since it is sent. A
    // message that brings no waiting step's ticket runs nothing.
    bool HandleMessage(UINT message, WPARAM ticket);

  private:
    struct Request;
    Request* TakeRequest(WPARAM ticket);

    HWND window_;
    UINT message_;
    std::mutex mutex_;
    Request* waiting_ = nullptr;
    WPARAM lastTicket_ = 0;
};

class WinConversionPlatform final : public ConversionPlatform {
  public:
    void WorkerThreadStarted() override;
    bool IsFile(const std::string& path) const override;
    void RemoveFile(const std::string& path) override;
    std::unique_ptr<JpegLibrary> OpenJpegLibrary() override;
    void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;
};

}  // namespace dhsu::win
