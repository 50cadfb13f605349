#include "shot/shot_system_win.h"

#include <windows.h>

#include "win/text.h"

namespace dhsu {

LocalTime WinShotSystem::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

bool WinShotSystem::IsTaken(const std::string& path) const {
    return GetFileAttributesW(win::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WinShotSystem::Beep() {
    MessageBeep(0xFFFFFFFF);
}

}  // namespace dhsu
