// The main window's handlers that take shots, and the texts that tell of them.

#include <exception>
#include <string>

#include "shot/window_capture_win.h"
#include "ui/Unit1.h"
#include "ui/captions.h"
#include "win/text_win.h"

namespace dhsu {

void TForm1::ShutterKeyPressed() {
    if (QueueIsFull(queue_)) return;
    try {
        if (CaptureForegroundWindow(IsChecked(CheckBox_ClientRect), Image1)) RecordShot();
    } catch (const std::exception& error) {
        shotErrorBox_.Show(handle_, error.what());
    }
}

void TForm1::ClipboardChanged(WPARAM wParam, LPARAM lParam) {
    if (!clipboardViewer_.PassOnChange(wParam, lParam) || QueueIsFull(queue_)) return;
    try {
        if (CopyClipboardBitmap(handle_, Image1)) RecordShot();
    } catch (...) {
        // A clipboard shot that fails is skipped without a word; the next change is handled anew.
    }
}

// A failed shot still keeps the prefix it may have lengthened, then goes to the caller.
void TForm1::RecordShot() {
    const RecordedShot shot =
        recorder_.Record(Image1, {Directory(), filePrefix_, suffixMode_, IsChecked(CheckBox_JPEG)});
    filePrefix_ = shot.prefix;
    if (shot.failure) std::rethrow_exception(shot.failure);
    if (shot.queue) {
        queue_.paths.Append(shot.path);
        queue_.qualities.Append(std::to_string(JpegQuality()));
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
