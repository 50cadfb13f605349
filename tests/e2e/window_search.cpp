#include "window_search.h"

#include <string>

namespace e2e {
namespace {

struct Search {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD processId;
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

}  // namespace

HWND FindTopWindow(const wchar_t* className, const wchar_t* caption, DWORD processId) {
    Search search{className, caption, processId, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
