#pragma once
// Which read of a client area a shutter-key capture keeps. A window drawn by Direct3D, OpenGL or
// Vulkan leaves its own device context black or stale under the compositor, while the screen
// shows what the player sees.

#include <functional>

#include "shot/shot_recorder.h"

namespace dhsu {

enum class ClientAreaRead { kWindow, kScreen };

// The window's own read, unless it is one flat colour and the screen's read of the same
// rectangle is not. The screen is read only after a flat window read; `readScreen` gives
// nothing when the rectangle lies wholly off the screen. A read whose pixels cannot be had is
// never preferred: the window's is kept, and recording it reports the failure.
ClientAreaRead ChooseClientAreaRead(const ShotImage& windowRead,
                                    const std::function<const ShotImage*()>& readScreen);

}  // namespace dhsu
