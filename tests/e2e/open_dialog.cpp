// Opens one of dhsu's windows for a picture of it and prints where it is on the screen:
//   open_dialog.exe main|new-folder|file-name|shutter-key  ->  "left top width height"
// A dialog left open by an earlier call is closed first.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "ui/main_window_controls.h"

namespace {

using namespace std::chrono_literals;

struct Search {
    const wchar_t* className;
    const wchar_t* caption;  // nullptr: any
    DWORD processId;         // 0: any
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[64] = {}, caption[256] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 256);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && std::wstring(className) == search->className &&
        (!search->caption || std::wstring(caption) == search->caption) &&
        (!search->processId || owner == search->processId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD processId) {
    for (int tries = 0; tries < 300; ++tries) {
        Search search{className, caption, processId, nullptr};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        std::this_thread::sleep_for(100ms);
    }
    return nullptr;
}

void CloseOpenDialog(DWORD processId) {
    Search search{L"#32770", nullptr, processId, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (int tries = 0; tries < 100 && IsWindow(search.found); ++tries)
        std::this_thread::sleep_for(50ms);
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
        PostMessageW(mainWindow, WM_COMMAND, dhsu::POPUP_NEWFOLDER, 0);
        caption = L"Vytvořit nový adresář";
    } else if (which == "file-name" || which == "shutter-key") {
        const bool fileName = which == "file-name";
        PostMessageW(GetDlgItem(mainWindow, fileName ? dhsu::Button_FileName : dhsu::Button_Option),
                     BM_CLICK, 0, 0);
        caption = fileName ? L"Jméno souboru" : L"Nastavení klávesy";
    } else if (which != "main") {
        std::fprintf(stderr, "usage: open_dialog main|new-folder|file-name|shutter-key\n");
        return 2;
    }
    if (caption) target = WaitForWindow(L"#32770", caption, processId);
    if (!target) {
        std::fprintf(stderr, "the dialog did not open\n");
        return 1;
    }
    std::this_thread::sleep_for(500ms);  // let it paint
    RECT r{};
    GetWindowRect(target, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
