#pragma once
// The main window's controls as one table, read like the form's design.

#include <windows.h>

#include <span>

namespace dhsu {

enum ControlId : int {
    kNoControl = 0,
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
    kControlIdEnd
};

// Commands that are not controls.
constexpr int POPUP_NEWFOLDER = 200;

struct ControlRow {
    ControlId id;
    const wchar_t* windowClass;
    ControlId parent;  // positions are relative to the parent group box, if any
    int left, top, width, height;
    const char* text;  // UTF-8
    DWORD style;
    int itemHeight = 0;  // a list box's rows, where the design gives them
};

// In tab order: Windows tabs through sibling windows in the order they were created.
std::span<const ControlRow> MainWindowControls();
const ControlRow& RowOf(ControlId id);

constexpr int kClientWidth = 449;
constexpr int kClientHeight = 316;

}  // namespace dhsu
