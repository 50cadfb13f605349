#include "shot/single_colour.h"

#include <gtest/gtest.h>

#include <vector>

namespace dhsu {
namespace {

// A DIB-laid picture whose row padding holds garbage, as GetDIBits may leave it.
class Picture {
  public:
    Picture(int bitsPerPixel, std::int32_t width, std::int32_t height, std::uint32_t fill)
        : bits_(StoredRowSize(width, bitsPerPixel) * height, 0xAB) {
        view_ = {width, height, bitsPerPixel, {}, nullptr, StoredRowSize(width, bitsPerPixel)};
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x) Set(x, y, fill);
    }
    // Palette depths take an index, the leftmost pixel in a byte's high bits; the others a
    // little-endian value.
    void Set(std::int32_t x, std::int32_t y, std::uint32_t value) {
        const int bpp = view_.bitsPerPixel;
        std::uint8_t* row = &bits_[y * view_.stride];
        if (bpp < 8) {
            const unsigned shift = 8 - bpp - (x * bpp) % 8;
            std::uint8_t& byte = row[x * bpp / 8];
            byte = std::uint8_t((byte & ~(((1u << bpp) - 1) << shift)) | value << shift);
        } else {
            for (int i = 0; i < bpp / 8; ++i) row[x * bpp / 8 + i] = std::uint8_t(value >> 8 * i);
        }
    }
    BitmapView& View() {
        view_.bits = bits_.data();
        return view_;
    }

  private:
    std::vector<std::uint8_t> bits_;
    BitmapView view_;
};

std::vector<PaletteEntry> Palette(int bitsPerPixel) {
    std::vector<PaletteEntry> palette(std::size_t{1} << bitsPerPixel);
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = {std::uint8_t(i), 0, 9, 0};
    return palette;
}

TEST(SingleColour, FlatPicturesOfEveryDepthAndTheirLastOddPixel) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bpp);
        Picture picture(bpp, 131, 67, 1);
        if (bpp <= 8) picture.View().palette = Palette(bpp);
        EXPECT_TRUE(IsSingleColour(picture.View()));
        picture.Set(130, 66, 0);
        EXPECT_FALSE(IsSingleColour(picture.View()));
    }
}

TEST(SingleColour, BitsThatShowNothingAreNotLookedAt) {
    Picture unusedByte(32, 70, 3, 0x00112233);
    unusedByte.Set(69, 2, 0xFF112233);
    EXPECT_TRUE(IsSingleColour(unusedByte.View()));
    Picture topBit(16, 70, 3, 0x1234);
    topBit.Set(69, 2, 0x9234);
    EXPECT_TRUE(IsSingleColour(topBit.View()));
    // Top-down rows hold the same pixels.
    topBit.View().height = -3;
    EXPECT_TRUE(IsSingleColour(topBit.View()));
    topBit.Set(0, 2, 0x1235);
    EXPECT_FALSE(IsSingleColour(topBit.View()));
}

TEST(SingleColour, OnePixelIsOneColourAndNoPixelsAreNot) {
    for (int bpp : {1, 8, 24, 32}) {
        Picture one(bpp, 1, 1, 0);
        if (bpp <= 8) one.View().palette = Palette(bpp);
        EXPECT_TRUE(IsSingleColour(one.View())) << bpp;
    }
    Picture none(32, 0, 0, 0);
    EXPECT_FALSE(IsSingleColour(none.View()));
}

TEST(SingleColour, PalettePixelsCountByTheColourTheirIndexPointsTo) {
    Picture picture(4, 9, 5, 3);
    picture.View().palette = Palette(4);
    picture.View().palette[12] = picture.View().palette[3];
    picture.Set(8, 4, 12);
    EXPECT_TRUE(IsSingleColour(picture.View()));
    picture.Set(4, 2, 13);
    EXPECT_FALSE(IsSingleColour(picture.View()));
    // An index past a short palette's end matches no colour but its own.
    Picture shortPalette(8, 4, 4, 200);
    shortPalette.View().palette = Palette(1);
    EXPECT_TRUE(IsSingleColour(shortPalette.View()));
    shortPalette.Set(3, 3, 201);
    EXPECT_FALSE(IsSingleColour(shortPalette.View()));
}

}  // namespace
}  // namespace dhsu
