#pragma once
// Windows BMP files (BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB) from device-independent pixels.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dhsu {

struct PaletteEntry {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

// Pixels laid out as in a DIB: rows bottom-up, `stride` bytes apart, 16-bit pixels as 5-5-5,
// 24 and 32-bit pixels as B, G, R (, unused).
struct BitmapView {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitsPerPixel = 0;               // 1, 4, 8, 16, 24 or 32
    std::vector<PaletteEntry> palette;  // 2, 4 or 8 bits: 1 << bitsPerPixel entries
    const std::uint8_t* bits = nullptr;
    std::size_t stride = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
};

// 16 and 32-bit pixels are stored as 24 bits; the other depths as they are.
int StoredBitsPerPixel(int bitsPerPixel);
std::size_t StoredRowSize(std::int32_t width, int storedBitsPerPixel);

// Writes the whole file to the sink in a few large blocks. Throws std::invalid_argument for a
// depth or palette the format cannot hold.
void EncodeBmp(const BitmapView& bitmap, ByteSink& sink);

}  // namespace dhsu
