#include "shot/shot_sound_win.h"

#include <windows.h>

namespace dhsu {

void PlayShotSound(ShotSound sound) {
    MessageBeep(sound == ShotSound::kWarning ? MB_ICONEXCLAMATION : 0xFFFFFFFF);
}

}  // namespace dhsu
