#include "window_search.h"

#include <string>

#include "ui/main_window_controls_win.h"

namespace e2e {
namespace {

struct Search {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD processId;
    bool countHidden;  // count them all, rather than stop at the first visible one
    HWND found;
    int count;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[64] = {}, caption[256] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 256);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->countHidden || IsWindowVisible(window)) &&
        std::wstring(className) == search->className &&
        (!search->caption || std::wstring(caption) == search->caption) &&
        (!search->processId || owner == search->processId)) {
        search->found = window;
        ++search->count;
        return search->countHidden;
    }
    return TRUE;
}

}  // namespace

HWND FindTopWindow(const wchar_t* className, const wchar_t* caption, DWORD processId) {
    Search search{className, caption, processId, false, nullptr, 0};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountTopWindows(const wchar_t* className, const wchar_t* caption, DWORD processId) {
    Search search{className, caption, processId, true, nullptr, 0};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

void AskForeground(HWND window) {
    // Windows refuses the foreground to a background process (Wine lets it through): only the
    // foreground's own input may move it, so the call is made with our input joined to it.
    const DWORD own = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool joined =
        foreground != 0 && foreground != own && AttachThreadInput(own, foreground, TRUE);
    SetForegroundWindow(window);
    if (joined) AttachThreadInput(own, foreground, FALSE);
}

bool ChooseNewFolder(HWND mainWindow, DWORD processId) {
    const HWND list = GetDlgItem(mainWindow, dhsu::DirectoryListBox1);
    PostMessageW(mainWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    HWND menu = nullptr;
    for (int tries = 0; tries < 500; ++tries, Sleep(20))
        if ((menu = FindTopWindow(L"#32768", nullptr, processId)) != nullptr) break;
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return menu != nullptr;
}

}  // namespace e2e
