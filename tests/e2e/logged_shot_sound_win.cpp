// The shot sound of dhsu_logged_sound.exe: a line per shot, "beep" or "warning", appended to the
// file that DHSU_SOUND_LOG names, so a test can tell which sound a shot asked for.

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "shot/shot_sound_win.h"

namespace dhsu {

void PlayShotSound(ShotSound sound) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DHSU_SOUND_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::ofstream(std::filesystem::path(path), std::ios::app)
        << (sound == ShotSound::kWarning ? "warning" : "beep") << '\n';
}

}  // namespace dhsu
