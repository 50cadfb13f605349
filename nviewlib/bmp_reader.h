#pragma once
// Reads the Windows BMP files the program writes (BI_RGB; 1, 4, 8 bits with a colour table, or 24
// bits) into 8-bit B, G, R samples that the JPEG encoder takes without another pass.

#include <cstddef>
#include <cstdint>

#include "nviewlib/buffer.h"

namespace dhsu::nviewlib {

// Limits that keep a hostile header from asking for absurd amounts of memory.
constexpr std::int32_t kMaxBmpSide = 32768;
constexpr std::uint64_t kMaxBmpPixels = std::uint64_t{1} << 28;
// Largest file read at all: the biggest image within the limits, with room for trailing bytes.
constexpr std::uint64_t kMaxBmpFileSize = std::uint64_t{1} << 30;

enum class BmpStatus {
    kOk,
    kNotBmp,        // no "BM" signature
    kTruncated,     // headers, colour table or pixel rows run past the end of the file
    kUnsupported,   // header kind, depth, planes or compression this reader does not take
    kTooLarge,      // beyond kMaxBmpSide or kMaxBmpPixels
    kInconsistent,  // a header that contradicts itself (sizes, offsets, colour count)
    kNoMemory,      // the picture does not fit in memory
};

// Rows of width * 3 samples, `pitch` bytes apart, kept in the order the file stores them: a
// 24-bit file is used in place, so its bytes are the whole file.
struct BgrImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool bottomUp = false;     // the first stored row is the bottom row of the picture
    std::size_t pitch = 0;     // bytes from one stored row to the next
    std::size_t firstRow = 0;  // offset of the first stored row in `bytes`
    ByteBuffer bytes;

    const std::uint8_t* StoredRows() const { return bytes.data() + firstRow; }
    // Row y of the picture, counted from the top.
    const std::uint8_t* Row(std::int32_t y) const;
};

// Takes the file's bytes; on failure `image` is left empty.
BmpStatus ReadBmp(ByteBuffer file, BgrImage& image);

}  // namespace dhsu::nviewlib
