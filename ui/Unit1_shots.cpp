// The main window's side of the shots, and the texts that tell of them.

#include <string>

#include "ui/Unit1.h"
#include "ui/captions.h"
#include "ui/error_box_win.h"
#include "win/text_win.h"

namespace dhsu {

// A forged hotkey may come while FormCreate is still making the worker.
bool TForm1::RefusesShots() {
    return stage_ != Stage::kRunning || conversion_.RefusesShots();
}

bool TForm1::CapturesClientArea() const {
    return IsChecked(CheckBox_ClientRect);
}

ShotSettings TForm1::ShotSettingsNow() const {
    return {Directory(), settings_.filePrefix, settings_.suffixMode, IsChecked(CheckBox_JPEG)};
}

void TForm1::SetFilePrefix(const std::string& prefix) {
    settings_.filePrefix = prefix;
}

void TForm1::ShotWritten(const RecordedShot& shot) {
    if (shot.queue) conversion_.Add(shot.path, JpegQuality());
    UpdateEncodingCaption();
    win::SetWindowTextUtf8(Control(Label_Count), ShotCountText(shot.number));
}

void TForm1::ShowShotError(const std::string& message) {
    ShowErrorBox(handle_, message);
}

// The main window is the task-bar window, so its caption is the application title too.
void TForm1::UpdateEncodingCaption() {
    win::SetWindowTextUtf8(handle_, EncodingCaption(conversion_.WaitingCount()));
}

void TForm1::ListBox_BMPFilesClick() {
    UpdateEncodingCaption();
    parts_.folders.RefreshFiles();
}

}  // namespace dhsu
