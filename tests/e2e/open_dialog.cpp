// Opens one of dhsu's windows for a picture of it and prints where it is on the screen:
//   open_dialog.exe main|new-folder|file-name|shutter-key|key-list  ->  "left top width height"
// key-list is the shutter key dialog with its list dropped down. A dialog left open by an
// earlier call is closed first.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "ui/Unit_OptionDialog.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace {

using namespace std::chrono_literals;

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD processId) {
    for (int tries = 0; tries < 300; ++tries) {
        if (HWND found = e2e::FindTopWindow(className, caption, processId)) return found;
        std::this_thread::sleep_for(100ms);
    }
    return nullptr;
}

void CloseOpenDialog(DWORD processId) {
    const HWND dialog = e2e::FindTopWindow(L"#32770", nullptr, processId);
    if (!dialog) return;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (int tries = 0; tries < 100 && IsWindow(dialog); ++tries) std::this_thread::sleep_for(50ms);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string which = argc > 1 ? argv[1] : "main";
    const HWND mainWindow = WaitForWindow(L"TForm1", nullptr, 0);
    if (!mainWindow) {
        std::fprintf(stderr, "dhsu's main window is not there\n");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(mainWindow, &processId);
    CloseOpenDialog(processId);

    HWND target = mainWindow;
    const wchar_t* caption = nullptr;
    if (which == "new-folder") {
        e2e::ChooseNewFolder(mainWindow, processId);
        caption = L"Vytvořit nový adresář";
    } else if (which == "file-name" || which == "shutter-key" || which == "key-list") {
        const bool fileName = which == "file-name";
        PostMessageW(GetDlgItem(mainWindow, fileName ? dhsu::Button_FileName : dhsu::Button_Option),
                     BM_CLICK, 0, 0);
        caption = fileName ? L"Jméno souboru" : L"Nastavení klávesy";
    } else if (which != "main") {
        std::fprintf(stderr, "usage: open_dialog main|new-folder|file-name|shutter-key|key-list\n");
        return 2;
    }
    if (caption) target = WaitForWindow(L"#32770", caption, processId);
    if (!target) {
        std::fprintf(stderr, "the dialog did not open\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(target, &r);
    if (which == "key-list") {  // dropped down, all of it in the picture
        const HWND keys = GetDlgItem(target, dhsu::TForm_KeyAssign::ComboBox_Keys);
        constexpr int kEisu = 20;
        SetCursorPos(0, 0);  // a pointer over the list would light up a row of its own
        SendMessageW(keys, CB_SETCURSEL, kEisu, 0);
        SendMessageW(keys, CB_SHOWDROPDOWN, TRUE, 0);
        // The dropped-down list is a window of its own; the drive list's, hidden, is one too.
        RECT list{};
        if (HWND dropped = e2e::FindTopWindow(L"ComboLBox", nullptr, processId))
            GetWindowRect(dropped, &list);
        UnionRect(&r, &r, &list);
    }
    std::this_thread::sleep_for(500ms);  // let it paint
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
