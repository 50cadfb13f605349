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

}  // namespace dhsu
