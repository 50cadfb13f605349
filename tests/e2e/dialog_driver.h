#pragma once
// Driving another process's dialogs through their controls.

#include <windows.h>

#include <string>

namespace e2e {

class DhsuProcess;

enum class DhsuDialog { kNewFolder, kFileName, kShutterKey };
// Opens one of dhsu's dialogs the way a user does; the dialog, or nullptr after 10 s.
HWND OpenDialog(const DhsuProcess& dhsu, DhsuDialog which);

// A dialog (class "#32770") of `processId` with this caption, once it shows; nullptr after 10 s.
HWND WaitForDialog(const std::wstring& caption, DWORD processId);
// Waits until `dialog` has closed.
bool WaitForClosed(HWND dialog);

// Returns at once, so a click that opens a modal window does not hold the test up.
void PostClick(HWND button);
void SetText(HWND control, const std::string& utf8);
bool IsButtonChecked(HWND button);
// Selects a row of a drop-down list the way a user's choice does, with its notification.
void ChooseRow(HWND comboBox, int row);
int SelectedRow(HWND comboBox);
// The window holding the keyboard focus in the thread of `window`.
HWND FocusIn(HWND window);

}  // namespace e2e
