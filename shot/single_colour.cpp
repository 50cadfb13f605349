#include "shot/single_colour.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace dhsu {
namespace {

// Packed pixels are compared in runs this long: a run's loop has no exit of its own, while an
// ordinary picture still stops within its first run.
constexpr std::int32_t kRun = 64;

template <typename Word>
Word Load(const std::uint8_t* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::size_t RowCount(const BitmapView& bitmap) {
    return static_cast<std::size_t>(std::abs(static_cast<long long>(bitmap.height)));
}

// The bits in which `count` pixels from `at` differ from `first`.
template <typename Word>
Word Differences(const std::uint8_t* at, std::int32_t count, Word first) {
    Word differs = 0;
    for (std::int32_t i = 0; i < count; ++i)
        differs |= static_cast<Word>(Load<Word>(at + i * sizeof(Word)) ^ first);
    return differs;
}

// 16 and 32-bit pixels, of which only the bits in `maskBytes` show.
template <typename Word>
bool PackedPixelsMatch(const BitmapView& bitmap, const std::uint8_t (&maskBytes)[sizeof(Word)]) {
    const Word mask = Load<Word>(maskBytes);
    const Word first = Load<Word>(bitmap.bits);
    for (std::size_t y = 0; y < RowCount(bitmap); ++y) {
        const std::uint8_t* row = bitmap.bits + y * bitmap.stride;
        std::int32_t x = 0;
        // A run of fixed length lets the compiler compare many pixels at once.
        for (; x + kRun <= bitmap.width; x += kRun)
            if ((Differences(row + x * sizeof(Word), kRun, first) & mask) != 0) return false;
        if ((Differences(row + x * sizeof(Word), bitmap.width - x, first) & mask) != 0)
            return false;
    }
    return true;
}

bool Pixels24Match(const BitmapView& bitmap) {
    const std::size_t used = std::size_t(bitmap.width) * 3;
    std::vector<std::uint8_t> flatRow(used);
    for (std::size_t i = 0; i < used; i += 3) std::memcpy(&flatRow[i], bitmap.bits, 3);
    for (std::size_t y = 0; y < RowCount(bitmap); ++y)
        if (std::memcmp(bitmap.bits + y * bitmap.stride, flatRow.data(), used) != 0) return false;
    return true;
}

// The index of pixel x in a row of 1, 4 or 8-bit pixels, the leftmost in a byte's high bits.
unsigned IndexAt(const std::uint8_t* row, std::int32_t x, int bitsPerPixel) {
    const std::size_t bit = std::size_t(x) * bitsPerPixel;
    const unsigned shift = 8 - bitsPerPixel - bit % 8;
    return (row[bit / 8] >> shift) & ((1u << bitsPerPixel) - 1);
}

// An index past the palette's end has no colour to share: it matches only itself.
std::uint32_t ColourOf(const BitmapView& bitmap, unsigned index) {
    if (index >= bitmap.palette.size()) return 0x1000000u | index;
    const PaletteEntry& entry = bitmap.palette[index];
    return entry.blue | entry.green << 8 | std::uint32_t{entry.red} << 16;
}

bool PalettePixelsMatch(const BitmapView& bitmap) {
    const int bpp = bitmap.bitsPerPixel;
    const std::uint32_t first = ColourOf(bitmap, IndexAt(bitmap.bits, 0, bpp));
    std::vector<bool> sameColour(std::size_t{1} << bpp);
    for (unsigned i = 0; i < sameColour.size(); ++i) sameColour[i] = ColourOf(bitmap, i) == first;
    for (std::size_t y = 0; y < RowCount(bitmap); ++y) {
        const std::uint8_t* row = bitmap.bits + y * bitmap.stride;
        for (std::int32_t x = 0; x < bitmap.width; ++x)
            if (!sameColour[IndexAt(row, x, bpp)]) return false;
    }
    return true;
}

}  // namespace

bool IsSingleColour(const BitmapView& bitmap) {
    if (bitmap.bits == nullptr || bitmap.width <= 0 || bitmap.height == 0) return false;
    static constexpr std::uint8_t kShown32[4] = {0xFF, 0xFF, 0xFF, 0x00};  // B, G, R, unused
    static constexpr std::uint8_t kShown16[2] = {0xFF, 0x7F};              // 5-5-5, little-endian
    switch (bitmap.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
            return PalettePixelsMatch(bitmap);
        case 16:
            return PackedPixelsMatch<std::uint16_t>(bitmap, kShown16);
        case 24:
            return Pixels24Match(bitmap);
        case 32:
            return PackedPixelsMatch<std::uint32_t>(bitmap, kShown32);
    }
    return false;
}

}  // namespace dhsu
