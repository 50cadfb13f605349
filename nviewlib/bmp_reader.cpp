#include "nviewlib/bmp_reader.h"

#include <array>
#include <cstring>
#include <limits>
#include <utility>

namespace dhsu::nviewlib {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// BITMAPV4HEADER and BITMAPV5HEADER only add colour-space fields, which BI_RGB leaves unused.
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kBiRgb = 0;

struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

// Where the parts of a file lie, once the header has been checked against the file's size.
struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive
    bool bottomUp = false;
    int bitsPerPixel = 0;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntries = 0;
    std::size_t pixelOffset = 0;
    std::size_t rowSize = 0;
};

using BgrPalette = std::array<std::array<std::uint8_t, 3>, 256>;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Two's complement, as C++20 defines the conversion.
std::int32_t I32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(U32(p));
}

BmpStatus ParseHeader(const ByteBuffer& file, BmpHeader& header) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return BmpStatus::kNotBmp;
    if (file.size() < kFileHeaderSize + 4) return BmpStatus::kTruncated;
    const std::uint8_t* p = file.data();
    header.pixelOffset = U32(p + 10);
    header.infoSize = U32(p + 14);
    if (header.infoSize != kInfoHeaderSize && header.infoSize != kV4HeaderSize &&
        header.infoSize != kV5HeaderSize)
        return BmpStatus::kUnsupported;
    if (file.size() < kFileHeaderSize + header.infoSize) return BmpStatus::kTruncated;
    header.width = I32(p + 18);
    header.height = I32(p + 22);
    header.planes = U16(p + 26);
    header.bitsPerPixel = U16(p + 28);
    header.compression = U32(p + 30);
    header.coloursUsed = U32(p + 46);
    return BmpStatus::kOk;
}

BmpStatus CheckFormat(const BmpHeader& header) {
    const int bpp = header.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return BmpStatus::kUnsupported;
    if (header.planes != 1 || header.compression != kBiRgb) return BmpStatus::kUnsupported;
    if (header.width <= 0 || header.height == 0 ||
        header.height == std::numeric_limits<std::int32_t>::min())
        return BmpStatus::kInconsistent;
    const std::uint64_t height = header.height < 0 ? -std::int64_t{header.height} : header.height;
    if (header.width > kMaxBmpSide || height > kMaxBmpSide ||
        std::uint64_t(header.width) * height > kMaxBmpPixels)
        return BmpStatus::kTooLarge;
    return BmpStatus::kOk;
}

// The colour table sits between the headers and the pixels; the pixels must fit in the file.
BmpStatus Locate(const BmpHeader& header, std::size_t fileSize, BmpLayout& layout) {
    layout.width = header.width;
    layout.bottomUp = header.height > 0;
    layout.height = layout.bottomUp ? header.height : -header.height;
    layout.bitsPerPixel = header.bitsPerPixel;
    const std::uint64_t fullPalette = layout.bitsPerPixel <= 8 ? 1u << layout.bitsPerPixel : 0;
    const std::uint64_t entries = header.coloursUsed != 0 ? header.coloursUsed : fullPalette;
    if (layout.bitsPerPixel <= 8 && entries > fullPalette) return BmpStatus::kInconsistent;
    const std::uint64_t paletteOffset = kFileHeaderSize + header.infoSize;
    if (header.pixelOffset < paletteOffset + entries * 4) return BmpStatus::kInconsistent;
    const std::uint64_t rowSize = (std::uint64_t(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    if (header.pixelOffset + rowSize * std::uint64_t(layout.height) > fileSize)
        return BmpStatus::kTruncated;
    layout.paletteOffset = static_cast<std::size_t>(paletteOffset);
    layout.paletteEntries = static_cast<std::size_t>(layout.bitsPerPixel <= 8 ? entries : 0);
    layout.pixelOffset = header.pixelOffset;
    layout.rowSize = static_cast<std::size_t>(rowSize);
    return BmpStatus::kOk;
}

// Indices past the file's colour count show as black rather than reading beyond the table.
BgrPalette ReadPalette(const ByteBuffer& file, const BmpLayout& layout) {
    BgrPalette palette{};
    for (std::size_t i = 0; i < layout.paletteEntries; ++i) {
        const std::uint8_t* entry = file.data() + layout.paletteOffset + 4 * i;
        palette[i] = {entry[0], entry[1], entry[2]};
    }
    return palette;
}

void ExpandRow(const std::uint8_t* src, std::uint8_t* dst, const BmpLayout& layout,
               const BgrPalette& palette) {
    const int bpp = layout.bitsPerPixel;
    const int pixelsPerByte = 8 / bpp;
    const unsigned mask = (1u << bpp) - 1;
    for (std::int32_t x = 0; x < layout.width; ++x, dst += 3) {
        const int shift = 8 - bpp * (x % pixelsPerByte + 1);
        const unsigned index = (src[x / pixelsPerByte] >> shift) & mask;
        std::memcpy(dst, palette[index].data(), 3);
    }
}

// False when memory runs out.
bool ExpandIndexed(const ByteBuffer& file, const BmpLayout& layout, BgrImage& image) {
    const BgrPalette palette = ReadPalette(file, layout);
    image.pitch = std::size_t(layout.width) * 3;
    image.firstRow = 0;
    if (!image.bytes.Resize(image.pitch * std::size_t(layout.height))) return false;
    for (std::int32_t row = 0; row < layout.height; ++row)
        ExpandRow(file.data() + layout.pixelOffset + layout.rowSize * row,
                  image.bytes.data() + image.pitch * row, layout, palette);
    return true;
}

}  // namespace

const std::uint8_t* BgrImage::Row(std::int32_t y) const {
    const std::int32_t stored = bottomUp ? height - 1 - y : y;
    return StoredRows() + pitch * std::size_t(stored);
}

BmpStatus ReadBmp(ByteBuffer file, BgrImage& image) {
    image = BgrImage{};
    BmpHeader header;
    BmpLayout layout;
    BmpStatus status = ParseHeader(file, header);
    if (status == BmpStatus::kOk) status = CheckFormat(header);
    if (status == BmpStatus::kOk) status = Locate(header, file.size(), layout);
    if (status != BmpStatus::kOk) return status;
    if (layout.bitsPerPixel == 24) {
        image.pitch = layout.rowSize;
        image.firstRow = layout.pixelOffset;
        image.bytes = std::move(file);
    } else if (!ExpandIndexed(file, layout, image)) {
        image = BgrImage{};
        return BmpStatus::kNoMemory;
    }
    image.width = layout.width;
    image.height = layout.height;
    image.bottomUp = layout.bottomUp;
    return BmpStatus::kOk;
}

}  // namespace dhsu::nviewlib
