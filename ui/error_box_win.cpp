#include "ui/error_box_win.h"

#include "ui/captions.h"
#include "win/scoped_flag.h"
#include "win/text_win.h"

namespace dhsu {

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxW(owner, win::Wide(message).c_str(), win::Wide(kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

void SingleErrorBox::Show(HWND owner, const std::string& message) {
    if (showing_) return;
    const win::ScopedFlag showing(showing_);
    ShowErrorBox(owner, message);
}

}  // namespace dhsu
