// The shot sound of the twins: a line per shot, "beep" or "warning", in their log, so a test can
// tell which sound a shot asked for.

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "shot/shot_sound_win.h"
#include "twin_log.h"

namespace dhsu {

void AppendTwinLog(const std::string& line) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DHSU_SOUND_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::ofstream(std::filesystem::path(path), std::ios::app) << line << '\n';
}

void PlayShotSound(ShotSound sound) {
    AppendTwinLog(sound == ShotSound::kWarning ? "warning" : "beep");
}

}  // namespace dhsu
