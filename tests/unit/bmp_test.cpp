#include "shot/bmp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace dhsu {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MemorySink : public ByteSink {
  public:
    void Write(const std::uint8_t* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        ++writes;
        last = data;
    }
    Bytes bytes;
    int writes = 0;
    const std::uint8_t* last = nullptr;
};

// The file as written; its header's file size must be what was written.
Bytes Encode(const BitmapView& view) {
    MemorySink sink;
    EncodeBmp(view, sink);
    const Bytes& b = sink.bytes;
    const std::size_t declared =
        b.size() < 6 ? 0 : b[2] | b[3] << 8 | b[4] << 16 | std::size_t{b[5]} << 24;
    EXPECT_EQ(declared, b.size());
    return sink.bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

// File header and info header, as the bytes a reader sees.
// clang-format off
Bytes Headers(std::uint32_t fileSize, std::uint32_t offBits, std::uint8_t width,
              std::uint8_t height, std::uint8_t bpp, std::uint32_t imageSize,
              std::uint16_t colours) {
    using B = Bytes::value_type;
    return {'B', 'M', B(fileSize), B(fileSize >> 8), 0, 0,  // file size
            0, 0, 0, 0,                                    // reserved
            B(offBits), B(offBits >> 8), 0, 0,             // offset of the pixels
            40, 0, 0, 0,                                   // info header size
            width, 0, 0, 0,
            height, 0, 0, 0,
            1, 0,                                          // planes
            bpp, 0,
            0, 0, 0, 0,                                    // BI_RGB
            B(imageSize), B(imageSize >> 8), 0, 0,
            0, 0, 0, 0, 0, 0, 0, 0,                        // resolution
            B(colours), B(colours >> 8), 0, 0,             // colours used
            0, 0, 0, 0};                                   // colours important
}
// clang-format on

TEST(BmpEncoding, OneBitKeepsPaletteAndZeroesRowPadding) {
    // 3 x 2, bottom row 1 0 1, top row 0 1 0; the source's padding bytes hold garbage.
    const Bytes pixels = {0xA0, 0xEE, 0xEE, 0xEE, 0x40, 0xEE, 0xEE, 0xEE};
    BitmapView view{3, 2, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}}, pixels.data(), 4};
    Bytes expected = Headers(70, 62, 3, 2, 1, 8, 2);
    expected.insert(expected.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    expected.insert(expected.end(), {0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    EXPECT_EQ(Encode(view), expected);
}

TEST(BmpEncoding, FourBitHasSixteenColourTable) {
    const Bytes pixels = {0x12, 0x30, 0x99, 0x99};
    std::vector<PaletteEntry> palette(16);
    palette[3] = {1, 2, 3, 77};  // the reserved byte is always written as 0
    BitmapView view{3, 1, 4, palette, pixels.data(), 4};
    const Bytes file = Encode(view);
    EXPECT_EQ(Slice(file, 0, 54), Headers(122, 118, 3, 1, 4, 4, 16));
    EXPECT_EQ(Slice(file, 54 + 12, 4), (Bytes{1, 2, 3, 0}));
    EXPECT_EQ(Slice(file, 118, 4), (Bytes{0x12, 0x30, 0, 0}));
}

TEST(BmpEncoding, EightBitWritesAll256EntriesThenRows) {
    std::vector<PaletteEntry> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2), 0};
    const Bytes pixels = {5, 250, 0, 0, 0, 255, 0, 0};
    BitmapView view{2, 2, 8, palette, pixels.data(), 4};
    const Bytes file = Encode(view);
    EXPECT_EQ(Slice(file, 0, 54), Headers(1086, 1078, 2, 2, 8, 8, 256));
    EXPECT_EQ(Slice(file, 54 + 4 * 200, 4), (Bytes{200, 55, 100, 0}));
    EXPECT_EQ(Slice(file, 1078, 8), (Bytes{5, 250, 0, 0, 0, 255, 0, 0}));
}

TEST(BmpEncoding, TwentyFourBitRowsArePaddedToFourBytes) {
    const Bytes pixels = {1, 2, 3, 4, 5, 6};  // tightly packed source: stride 3
    BitmapView view{1, 2, 24, {}, pixels.data(), 3};
    Bytes expected = Headers(62, 54, 1, 2, 24, 8, 0);
    expected.insert(expected.end(), {1, 2, 3, 0, 4, 5, 6, 0});
    EXPECT_EQ(Encode(view), expected);
}

TEST(BmpEncoding, ThirtyTwoBitIsStoredAsTwentyFour) {
    const Bytes pixels = {0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0xFF};
    BitmapView view{2, 1, 32, {}, pixels.data(), 8};
    Bytes expected = Headers(62, 54, 2, 1, 24, 8, 0);
    expected.insert(expected.end(), {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0});
    EXPECT_EQ(Encode(view), expected);
}

TEST(BmpEncoding, SixteenBitExpandsFiveBitChannels) {
    // 0x7FFF is white; 0x001F pure blue; 0x4210 is 10000 in each channel.
    const Bytes pixels = {0xFF, 0x7F, 0x1F, 0x00, 0x10, 0x42, 0, 0};
    BitmapView view{3, 1, 16, {}, pixels.data(), 8};
    const Bytes file = Encode(view);
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(Slice(file, 54, 12), (Bytes{255, 255, 255, 255, 0, 0, 0x84, 0x84, 0x84, 0, 0, 0}));
}

TEST(BmpEncoding, LargeFramesGoOutInFewBlocks) {
    const std::int32_t w = 1920, h = 1080;
    std::vector<std::uint8_t> pixels(std::size_t(w) * h * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 7);
    BitmapView view{w, h, 32, {}, pixels.data(), std::size_t(w) * 4};
    MemorySink sink;
    EncodeBmp(view, sink);
    ASSERT_EQ(sink.bytes.size(), 54u + std::size_t(w) * 3 * h);
    EXPECT_LT(sink.writes, 40);
    // The last pixel of the top row lands at the end of the file, channels in order.
    const std::size_t src = (std::size_t(h - 1) * w + (w - 1)) * 4;
    EXPECT_EQ(Slice(sink.bytes, sink.bytes.size() - 3, 3),
              (Bytes{pixels[src], pixels[src + 1], pixels[src + 2]}));

    // 24-bit rows without padding are the file's own: written from the caller's memory at once.
    MemorySink stored;
    EncodeBmp({w, h, 24, {}, pixels.data(), std::size_t(w) * 3}, stored);
    EXPECT_EQ(stored.writes, 2);
    EXPECT_EQ(stored.last, pixels.data());
    EXPECT_EQ(Slice(stored.bytes, 54, std::size_t(w) * 3 * h),
              Slice(pixels, 0, std::size_t(w) * 3 * h));
}

TEST(BmpEncoding, RefusesDepthsAndPalettesItCannotStore) {
    const Bytes pixels(16);
    MemorySink sink;
    EXPECT_THROW(EncodeBmp({1, 1, 2, {}, pixels.data(), 4}, sink), std::invalid_argument);
    EXPECT_THROW(EncodeBmp({1, 1, 8, std::vector<PaletteEntry>(2), pixels.data(), 4}, sink),
                 std::invalid_argument);
    EXPECT_TRUE(sink.bytes.empty());
}

TEST(BmpEncoding, EmptyBitmapIsJustHeaders) {
    BitmapView view{0, 0, 24, {}, nullptr, 0};
    EXPECT_EQ(Encode(view), Headers(54, 54, 0, 0, 24, 0, 0));
}

}  // namespace
}  // namespace dhsu
