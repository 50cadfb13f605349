#include "shot/bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace dhsu {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Rows are converted into a block this large before each write: big enough to keep the write
// calls few, small enough to stay in cache between conversion and write.
constexpr std::size_t kBlockSize = 1024 * 1024;

void PutLe(std::uint8_t*& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) *out++ = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t PaletteSize(int storedBpp) {
    return storedBpp <= 8 ? (std::size_t{1} << storedBpp) : 0;
}

void ConvertRow32(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width) {
    std::int32_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four pixels at a time: two 64-bit loads become one 64-bit and one 32-bit store.
        for (; x + 4 <= width; x += 4, src += 16, dst += 12) {
            std::uint64_t p01, p23;
            std::memcpy(&p01, src, 8);
            std::memcpy(&p23, src + 8, 8);
            const std::uint64_t low =
                (p01 & 0xFFFFFF) | ((p01 >> 8) & 0xFFFFFF000000) | (p23 << 48);
            const std::uint32_t high =
                static_cast<std::uint32_t>(((p23 >> 16) & 0xFF) | ((p23 >> 24) & 0xFFFFFF00));
            std::memcpy(dst, &low, 8);
            std::memcpy(dst + 8, &high, 4);
        }
    }
    for (; x < width; ++x, src += 4, dst += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

void ConvertRow16(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, src += 2, dst += 3) {
        const unsigned pixel = src[0] | (src[1] << 8);
        const unsigned b = pixel & 0x1F, g = (pixel >> 5) & 0x1F, r = (pixel >> 10) & 0x1F;
        dst[0] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
        dst[1] = static_cast<std::uint8_t>((g << 3) | (g >> 2));
        dst[2] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
    }
}

std::size_t UsedRowBytes(std::int32_t width, int storedBpp) {
    return (static_cast<std::size_t>(width) * storedBpp + 7) / 8;
}

// One stored row: converted to 24 bits where needed, padding bytes zeroed.
void CopyRow(const BitmapView& bitmap, const std::uint8_t* src, std::uint8_t* dst,
             std::size_t storedRow) {
    const int storedBpp = StoredBitsPerPixel(bitmap.bitsPerPixel);
    const std::size_t used = UsedRowBytes(bitmap.width, storedBpp);
    if (bitmap.bitsPerPixel == 32) {
        ConvertRow32(src, dst, bitmap.width);
    } else if (bitmap.bitsPerPixel == 16) {
        ConvertRow16(src, dst, bitmap.width);
    } else {
        std::copy_n(src, used, dst);
    }
    std::fill(dst + used, dst + storedRow, std::uint8_t{0});
}

void Validate(const BitmapView& bitmap) {
    const int bpp = bitmap.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw std::invalid_argument("unsupported bitmap depth");
    if (bitmap.width < 0 || bitmap.height < 0) throw std::invalid_argument("negative bitmap size");
    if (bitmap.palette.size() != PaletteSize(StoredBitsPerPixel(bpp)))
        throw std::invalid_argument("palette does not match the bitmap depth");
}

void WriteHeaders(const BitmapView& bitmap, ByteSink& sink) {
    const int storedBpp = StoredBitsPerPixel(bitmap.bitsPerPixel);
    const std::size_t paletteBytes = PaletteSize(storedBpp) * 4;
    const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
    const std::size_t imageSize = StoredRowSize(bitmap.width, storedBpp) * bitmap.height;
    std::vector<std::uint8_t> head(offBits);
    std::uint8_t* out = head.data();
    PutLe(out, 'B' | ('M' << 8), 2);
    PutLe(out, static_cast<std::uint32_t>(offBits + imageSize), 4);
    PutLe(out, 0, 4);  // reserved
    PutLe(out, static_cast<std::uint32_t>(offBits), 4);
    PutLe(out, kInfoHeaderSize, 4);
    PutLe(out, static_cast<std::uint32_t>(bitmap.width), 4);
    PutLe(out, static_cast<std::uint32_t>(bitmap.height), 4);
    PutLe(out, 1, 2);  // planes
    PutLe(out, static_cast<std::uint32_t>(storedBpp), 2);
    PutLe(out, 0, 4);  // BI_RGB
    PutLe(out, static_cast<std::uint32_t>(imageSize), 4);
    PutLe(out, 0, 4);  // horizontal resolution
    PutLe(out, 0, 4);  // vertical resolution
    PutLe(out, static_cast<std::uint32_t>(PaletteSize(storedBpp)), 4);
    PutLe(out, 0, 4);  // important colours: all
    for (const PaletteEntry& entry : bitmap.palette) {
        *out++ = entry.blue;
        *out++ = entry.green;
        *out++ = entry.red;
        *out++ = 0;
    }
    sink.Write(head.data(), head.size());
}

}  // namespace

int StoredBitsPerPixel(int bitsPerPixel) {
    return bitsPerPixel == 16 || bitsPerPixel == 32 ? 24 : bitsPerPixel;
}

std::size_t StoredRowSize(std::int32_t width, int storedBitsPerPixel) {
    return (static_cast<std::size_t>(width) * storedBitsPerPixel + 31) / 32 * 4;
}

void EncodeBmp(const BitmapView& bitmap, ByteSink& sink) {
    Validate(bitmap);
    WriteHeaders(bitmap, sink);
    const std::size_t storedRow =
        StoredRowSize(bitmap.width, StoredBitsPerPixel(bitmap.bitsPerPixel));
    if (storedRow == 0 || bitmap.height == 0) return;
    // Rows already in the file's layout, with no padding bytes of unknown content, go out as
    // they are: a copy of a whole frame would cost as much as its write.
    const bool storedAsTheyAre = bitmap.bitsPerPixel == StoredBitsPerPixel(bitmap.bitsPerPixel) &&
                                 bitmap.stride == storedRow &&
                                 UsedRowBytes(bitmap.width, bitmap.bitsPerPixel) == storedRow;
    if (storedAsTheyAre) {
        sink.Write(bitmap.bits, storedRow * bitmap.height);
        return;
    }
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockSize / storedRow);
    std::vector<std::uint8_t> block(rowsPerBlock * storedRow);
    for (std::int32_t y = 0; y < bitmap.height;) {
        const std::size_t rows = std::min<std::size_t>(rowsPerBlock, bitmap.height - y);
        for (std::size_t i = 0; i < rows; ++i, ++y)
            CopyRow(bitmap, bitmap.bits + y * bitmap.stride, block.data() + i * storedRow,
                    storedRow);
        sink.Write(block.data(), rows * storedRow);
    }
}

}  // namespace dhsu
