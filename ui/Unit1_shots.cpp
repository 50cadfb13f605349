// The main window's handlers that take shots, and the texts that tell of them.

#include <exception>
#include <string>
#include <utility>

#include "ui/Unit1.h"
#include "ui/captions.h"
#include "win/scoped_flag.h"
#include "win/text_win.h"

namespace dhsu {

void TForm1::ShutterKeyPressed() {
    if (conversion_.RefusesShots()) return;
    {
        const win::ScopedFlag shot(shotInProgress_);
        try {
            if (windowCapture_.CaptureForegroundWindow(IsChecked(CheckBox_ClientRect), Image1))
                RecordShot();
        } catch (const std::exception& error) {
            shotErrorBox_.Show(handle_, error.what());
        }
    }
    CaptureClipboardChanges();
}

void TForm1::ClipboardChanged(WPARAM wParam, LPARAM lParam) {
    if (!clipboardViewer_.PassOnChange(wParam, lParam)) return;
    clipboardChanged_ = true;
    if (!shotInProgress_) CaptureClipboardChanges();
}

// The capture buffer holds one picture at a time, and a sent message gets through while a shot
// is saved: a change that comes then is looked at once that shot is done.
void TForm1::CaptureClipboardChanges() {
    while (std::exchange(clipboardChanged_, false)) {
        if (conversion_.RefusesShots()) return;
        const win::ScopedFlag shot(shotInProgress_);
        try {
            DWORD sequence = 0;
            if (!CopyNewClipboardBitmap(handle_, recordedClipboardSequence_, Image1, sequence))
                continue;
            recordedClipboardSequence_ = sequence;
            RecordShot();
        } catch (...) {
            // A clipboard shot that fails is skipped without a word; the next change is handled
            // anew.
        }
    }
}

// A failed shot still keeps the prefix it may have lengthened, then goes to the caller.
void TForm1::RecordShot() {
    const RecordedShot shot = recorder_.Record(
        Image1,
        {Directory(), settings_.filePrefix, settings_.suffixMode, IsChecked(CheckBox_JPEG)});
    settings_.filePrefix = shot.prefix;
    if (shot.failure) std::rethrow_exception(shot.failure);
    if (shot.queue) {
        conversion_.Add(shot.path, JpegQuality());
    }
    UpdateEncodingCaption();
    win::SetWindowTextUtf8(Control(Label_Count), ShotCountText(shot.number));
}

// The main window is the task-bar window, so its caption is the application title too.
void TForm1::UpdateEncodingCaption() {
    win::SetWindowTextUtf8(handle_, EncodingCaption(conversion_.WaitingCount()));
}

void TForm1::ListBox_BMPFilesClick() {
    UpdateEncodingCaption();
    folders_.RefreshFiles();
}

}  // namespace dhsu
