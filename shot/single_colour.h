#pragma once
// Whether a captured picture is one flat colour: the sign of a capture that saw nothing, such as
// a full-screen game drawn past the window's device context.

#include "shot/bmp.h"

namespace dhsu {

// True when every pixel shows the same colour. Palette pixels count by the colour their index
// points to, so two entries of one colour are the same colour; bits that show nothing (the
// fourth byte of 32-bit pixels, the top bit of 5-5-5 pixels, row padding) are not looked at.
// Stops at the first pixel that differs. A picture without pixels is not one colour.
bool IsSingleColour(const BitmapView& bitmap);

}  // namespace dhsu
