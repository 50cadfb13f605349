#include "ui/error_box_win.h"

#include "ui/captions.h"
#include "win/text_win.h"

namespace dhsu {

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxW(owner, win::Wide(message).c_str(), win::Wide(kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace dhsu
