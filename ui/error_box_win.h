#pragma once
// The application's error box: an error that escaped a handler is shown, then the program goes
// on.

#include <windows.h>

#include <exception>
#include <string>

namespace dhsu {

void ShowErrorBox(HWND owner, const std::string& message);

// Where a handler meets Windows: whatever it throws ends in the error box and goes no further.
// Returns whether the handler ran through.
template <typename Handler>
bool RunShowingErrors(HWND owner, Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
    } catch (...) {
        ShowErrorBox(owner, "An unexpected error occurred.");
    }
    return false;
}

// One box at a time for errors that keep coming while it is up: its message loop goes on
// handling the presses that caused them, and their failures are not stacked on top of it.
class SingleErrorBox {
  public:
    void Show(HWND owner, const std::string& message);

  private:
    bool showing_ = false;
};

}  // namespace dhsu
