#pragma once
// Which read of a client area a shutter-key capture keeps. A window drawn by Direct3D, OpenGL or
// Vulkan leaves its own device context black or stale under the compositor, while the screen
// shows what the player sees.

#include <functional>

#include "shot/shot_recorder.h"

namespace dhsu {

enum class ClientAreaRead { kWindow, kScreen };

// The reads a choice may take, each only when it is needed. Each gives nothing when its
// rectangle lies wholly off its device context.
struct ClientAreaReads {
    std::function<const ShotImage*()> window;  // the window's own device context
    std::function<const ShotImage*()> screen;  // the same rectangle as the screen shows it
    // A row of the window's own read: whether the window draws there again, for a fraction of
    // the cost of the whole read.
    std::function<const ShotImage*()> windowRow;
};

struct ClientAreaChoice {
    ClientAreaRead read;
    // The window's own read is flat while the screen shows it: the next press reads the screen
    // first.
    bool screenFirst;
};

// The window's own read, unless it is one flat colour and the screen's read is not. A window
// known to read flat has a row of its own read looked at first: while that row is flat, the
// screen is read first and the window's whole read is taken only when the screen's is flat
// too; a row that is not flat means the window draws itself again, and it is read as any other.
// A read whose pixels cannot be had is never preferred: the window's is kept, and recording it
// reports the failure.
ClientAreaChoice ChooseClientAreaRead(bool screenFirst, const ClientAreaReads& reads);

}  // namespace dhsu
