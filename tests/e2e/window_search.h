#pragma once
// Finding another process's top-level windows and bringing one forward, for the tests, the
// benchmarks and the screenshot tool.

#include <windows.h>

namespace e2e {

// The first visible top-level window of that class; a null caption or a zero process id
// matches any.
HWND FindTopWindow(const wchar_t* className, const wchar_t* caption, DWORD processId);
// Every top-level window that matches alike, shown or not: a dialog shows itself only once its
// message loop first runs out of messages.
int CountTopWindows(const wchar_t* className, const wchar_t* caption, DWORD processId);
// Asks once to make `window` the foreground window; whether it now is, the caller checks.
void AskForeground(HWND window);

// Opens the pop-up menu of dhsu's directory list from the keyboard and chooses its one item,
// as a user does; false when the menu did not show within 10 s.
bool ChooseNewFolder(HWND mainWindow, DWORD processId);

}  // namespace e2e
