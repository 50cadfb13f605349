#include "shot/shots_win.h"

#include <exception>
#include <utility>

#include "win/scoped_flag.h"

namespace dhsu {

void Shots::ShutterKeyPressed() {
    if (window_.RefusesShots()) return;
    {
        const win::ScopedFlag shot(shotInProgress_);
        try {
            if (windowCapture_.CaptureForegroundWindow(window_.CapturesClientArea(), Image1))
                Record();
        } catch (const std::exception& error) {
            ShowError(error.what());
        }
    }
    CaptureClipboardChanges();
}

void Shots::ClipboardChanged(WPARAM wParam, LPARAM lParam) {
    if (!clipboardViewer_.PassOnChange(wParam, lParam)) return;
    clipboardChanged_ = true;
    if (!shotInProgress_) CaptureClipboardChanges();
}

void Shots::RepairClipboardChain(WPARAM removed, LPARAM following) {
    clipboardViewer_.RepairChain(removed, following);
}

// The capture buffer holds one picture at a time, and a sent message gets through while a shot
// is saved: a change that comes then is looked at once that shot is done.
void Shots::CaptureClipboardChanges() {
    while (std::exchange(clipboardChanged_, false)) {
        if (window_.RefusesShots()) return;
        const win::ScopedFlag shot(shotInProgress_);
        try {
            DWORD sequence = 0;
            if (!CopyNewClipboardBitmap(owner_, recordedClipboardSequence_, Image1, sequence))
                continue;
            recordedClipboardSequence_ = sequence;
            Record();
        } catch (...) {
            // A clipboard shot that fails is skipped without a word; the next change is handled
            // anew.
        }
    }
}

// A failed shot still keeps the prefix it may have lengthened, then goes to the caller.
void Shots::Record() {
    const RecordedShot shot = recorder_.Record(Image1, window_.ShotSettingsNow());
    window_.SetFilePrefix(shot.prefix);
    if (shot.failure) std::rethrow_exception(shot.failure);
    window_.ShotWritten(shot);
}

// One box at a time for errors that keep coming while it is up: its message loop goes on
// handling the presses that caused them, and their failures are not stacked on top of it.
void Shots::ShowError(const std::string& message) {
    if (errorShowing_) return;
    const win::ScopedFlag showing(errorShowing_);
    window_.ShowShotError(message);
}

}  // namespace dhsu
