#include "shot/shot_system_win.h"

#include <windows.h>

#include "shot/shot_sound_win.h"
#include "win/files_win.h"
#include "win/text_win.h"

namespace dhsu {

LocalTime WinShotSystem::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

bool WinShotSystem::IsTaken(const std::string& path) const {
    return win::PathExists(win::Wide(path));
}

void WinShotSystem::Beep(ShotSound sound) {
    PlayShotSound(sound);
}

}  // namespace dhsu
