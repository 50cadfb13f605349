#pragma once
// The shots: the foreground window when the shutter key is pressed, and every bitmap put on the
// clipboard, each through the one capture buffer into a BMP in the shot folder.

#include <windows.h>

#include <string>

#include "shot/capture_buffer_win.h"
#include "shot/clipboard_capture_win.h"
#include "shot/shot_recorder.h"
#include "shot/shot_system_win.h"
#include "shot/window_capture_win.h"

namespace dhsu {

// What taking a shot asks of the window that takes it.
class ShotWindow {
  public:
    virtual ~ShotWindow() = default;
    // True while too many files wait for the JPEG conversion: no shot is taken then.
    virtual bool RefusesShots() = 0;
    virtual bool CapturesClientArea() const = 0;
    virtual ShotSettings ShotSettingsNow() const = 0;
    // After every shot, written or not: the prefix from now on.
    virtual void SetFilePrefix(const std::string& prefix) = 0;
    virtual void ShotWritten(const RecordedShot& shot) = 0;
    virtual void ShowShotError(const std::string& message) = 0;
};

class Shots {
  public:
    explicit Shots(ShotWindow& window) : window_(window) {}
    Shots(const Shots&) = delete;
    Shots& operator=(const Shots&) = delete;

    // The window the clipboard is opened for and the viewer chain is joined with.
    void Attach(HWND owner) { owner_ = owner; }
    // Late in FormCreate, and in FormDestroy.
    void JoinClipboardViewers() { clipboardViewer_.Join(owner_); }
    void LeaveClipboardViewers() { clipboardViewer_.Leave(); }

    void ShutterKeyPressed();
    // WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN.
    void ClipboardChanged(WPARAM wParam, LPARAM lParam);
    void RepairClipboardChain(WPARAM removed, LPARAM following);

  private:
    void CaptureClipboardChanges();
    void Record();
    void ShowError(const std::string& message);

    ShotWindow& window_;
    HWND owner_ = nullptr;
    ClipboardViewer clipboardViewer_;
    DWORD recordedClipboardSequence_ = 0;  // the clipboard change whose picture was recorded last
    bool clipboardChanged_ = false;        // a change not yet looked at
    bool shotInProgress_ = false;          // Image1 is being filled and saved
    bool errorShowing_ = false;
    CaptureBuffer Image1;
    WindowCapture windowCapture_;
    WinShotSystem shotSystem_;
    ShotRecorder recorder_{shotSystem_};
};

}  // namespace dhsu
