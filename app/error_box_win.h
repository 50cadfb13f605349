#pragma once
// The application's error box: an error that escaped a handler, shown, then the program goes on.

#include <windows.h>

#include <string>

namespace dhsu {

void ShowErrorBox(HWND owner, const std::string& message);

}  // namespace dhsu
