#pragma once
// The main window's controls as one table.

#include <span>

#include "ui/control_table_win.h"

namespace dhsu {

enum ControlId : int {
    Image_Logo = 100,
    Memo1,
    GroupBox_Folder,
    FileListBox1,
    DirectoryListBox1,
    DriveComboBox1,
    Label_Count,
    GroupBox_Option,
    CheckBox_JPEG,
    CheckBox_ClientRect,
    Label3,
    Edit_Q,
    UpDown1,
    Button_FileName,
    Button_Option,
    Notice,
    ListBox_BMPFiles,
    ListBox_Q,
};

// Commands that are not controls.
constexpr int POPUP_NEWFOLDER = 200;

// In tab order.
std::span<const ControlRow> MainWindowControls();

constexpr int kClientWidth = 449;
constexpr int kClientHeight = 316;
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The main window's class: the program's icon, the arrow cursor, the face colour, `procedure`.
void RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);
// A main window of `className` with the application's title and its client area sized for
// `dpi`, not shown yet; `param` reaches WM_NCCREATE.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, UINT dpi, void* param);

}  // namespace dhsu
