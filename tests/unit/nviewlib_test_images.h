#pragma once
// Pictures for the NviewLib tests, written as BMP files by the program's own encoder.

#include <array>
#include <cstdint>
#include <vector>

#include "nviewlib/buffer.h"
#include "shot/bmp.h"

namespace dhsu::nviewlib::testing {

using Bytes = std::vector<std::uint8_t>;
using Bgr = std::array<std::uint8_t, 3>;

// A source bitmap and the colour each of its pixels should read back as, top row first.
struct SourcePicture {
    Bytes bits;
    BitmapView view;
    std::vector<Bgr> expected;

    Bgr Expected(int x, int y) const { return expected[std::size_t(y) * view.width + x]; }
};

// A patterned picture of any depth the capture can hand over: 1, 4, 8, 16, 24 or 32 bits.
SourcePicture PatternPicture(int bitsPerPixel, int width, int height);

// A 1, 4 or 8-bit picture of 16 x 16 blocks, one colour each, that JPEG keeps well.
SourcePicture BlockPicture(int bitsPerPixel, int width, int height);

// A 24-bit picture with smooth gradients and a few hard edges, like a small game screen:
// its top-left quarter is red and its bottom-right quarter blue, so a flip or a channel swap
// shows.
SourcePicture ScreenPicture(int width, int height);

Bytes EncodeToBmp(const BitmapView& view);

// The file's bytes as the library holds them.
ByteBuffer ToBuffer(const Bytes& bytes);

// The same picture stored top-down (negative height), its rows in reverse order.
Bytes ToTopDown(const Bytes& bottomUpFile);

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value);

}  // namespace dhsu::nviewlib::testing
