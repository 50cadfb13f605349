// The main window's handlers that take shots, and the texts that tell of them.

#include <exception>
#include <string>
#include <utility>

#include "ui/Unit1.h"
#include "ui/captions.h"
#include "win/scoped_flag.h"
#include "win/text_win.h"

namespace dhsu {

// A full queue may hold lines another program added; the worker drops those. (A forged message
// may come before FormCreate has made the worker.)
bool TForm1::QueueRefusesShots() {
    if (!QueueIsFull(queue_)) return false;
    if (encodeJpeg_) encodeJpeg_->Wake();
    return true;
}

void TForm1::ShutterKeyPressed() {
    if (QueueRefusesShots()) return;
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
        if (QueueRefusesShots()) return;
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
    const RecordedShot shot =
        recorder_.Record(Image1, {Directory(), filePrefix_, suffixMode_, IsChecked(CheckBox_JPEG)});
    filePrefix_ = shot.prefix;
    if (shot.failure) std::rethrow_exception(shot.failure);
    if (shot.queue) {
        Enqueue(queue_, shot.path, std::to_string(JpegQuality()));
        encodeJpeg_->Wake();
    }
    UpdateEncodingCaption();
    win::SetWindowTextUtf8(Control(Label_Count), ShotCountText(shot.number));
}

// The main window is the task-bar window, so its caption is the application title too.
void TForm1::UpdateEncodingCaption() {
    win::SetWindowTextUtf8(handle_, EncodingCaption(queue_.paths.Count()));
}

void TForm1::ListBox_BMPFilesClick() {
    UpdateEncodingCaption();
    folders_.RefreshFiles();
}

}  // namespace dhsu
