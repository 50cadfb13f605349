#pragma once
// The application's error box: an error that escaped a handler, shown, then the program goes on.

#include <windows.h>

#include <string>

namespace dhsu {

void ShowErrorBox(HWND owner, const std::string& message);

// One box at a time for errors that keep coming while it is up: its message loop goes on
// handling the presses that caused them, and their failures are not stacked on top of it.
class SingleErrorBox {
  public:
    void Show(HWND owner, const std::string& message);

  private:
    bool showing_ = false;
};

}  // namespace dhsu
