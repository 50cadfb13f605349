#pragma once
// The shot's sound. In a file of its own: the end-to-end tests link a program that logs the sound
// asked for in its place, since a beep cannot be heard under a virtual display.

#include "shot/shot_recorder.h"

namespace dhsu {

void PlayShotSound(ShotSound sound);

}  // namespace dhsu
