#include "tests/unit/nviewlib_test_images.h"

#include <algorithm>
#include <utility>

namespace dhsu::nviewlib::testing {
namespace {

std::uint32_t GetU32(const Bytes& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           std::uint32_t{bytes[offset + 3]} << 24;
}

std::uint8_t Expand5(unsigned value) {
    return std::uint8_t((value << 3) | (value >> 2));
}

class PictureBuilder {
  public:
    PictureBuilder(int bitsPerPixel, int width, int height) {
        picture_.view.width = width;
        picture_.view.height = height;
        picture_.view.bitsPerPixel = bitsPerPixel;
        picture_.view.stride = (std::size_t(width) * bitsPerPixel + 31) / 32 * 4;
        picture_.bits.assign(picture_.view.stride * height, 0);
        picture_.expected.resize(std::size_t(width) * height);
    }

    // Row y counts from the top; a DIB keeps its rows bottom-up.
    std::uint8_t* BitsRow(int y) {
        return picture_.bits.data() + picture_.view.stride * (picture_.view.height - 1 - y);
    }
    void Expect(int x, int y, Bgr colour) {
        picture_.expected[std::size_t(y) * picture_.view.width + x] = colour;
    }
    void SetBgr(int x, int y, Bgr colour) {
        const int bytes = picture_.view.bitsPerPixel / 8;
        std::copy(colour.begin(), colour.end(), BitsRow(y) + x * bytes);
        if (bytes == 4) BitsRow(y)[x * 4 + 3] = 0xA5;  // unused byte, must not matter
        Expect(x, y, colour);
    }
    SourcePicture Finish() {
        picture_.view.bits = picture_.bits.data();
        return std::move(picture_);
    }
    SourcePicture& Picture() { return picture_; }

  private:
    SourcePicture picture_;
};

template <typename IndexAt>
void FillIndexed(PictureBuilder& builder, int bpp, int width, int height, IndexAt indexAt) {
    std::vector<PaletteEntry>& palette = builder.Picture().view.palette;
    for (int i = 0; i < (1 << bpp); ++i)
        palette.push_back({std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i * 3), 0});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned index = indexAt(x, y) % (1u << bpp);
            const int bit = x * bpp;
            builder.BitsRow(y)[bit / 8] |= std::uint8_t(index << (8 - bpp - bit % 8));
            const PaletteEntry& entry = palette[index];
            builder.Expect(x, y, {entry.blue, entry.green, entry.red});
        }
    }
}

void Fill16(PictureBuilder& builder, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned r = x % 32, g = (y * 6) % 32, b = (x + y) % 32;
            const unsigned pixel = r << 10 | g << 5 | b;
            builder.BitsRow(y)[x * 2] = std::uint8_t(pixel);
            builder.BitsRow(y)[x * 2 + 1] = std::uint8_t(pixel >> 8);
            builder.Expect(x, y, {Expand5(b), Expand5(g), Expand5(r)});
        }
    }
}

}  // namespace

SourcePicture PatternPicture(int bitsPerPixel, int width, int height) {
    PictureBuilder builder(bitsPerPixel, width, height);
    if (bitsPerPixel <= 8) {
        FillIndexed(builder, bitsPerPixel, width, height,
                    [](int x, int y) { return unsigned(x * 5 + y * 3); });
    } else if (bitsPerPixel == 16) {
        Fill16(builder, width, height);
    } else {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                builder.SetBgr(x, y,
                               {std::uint8_t(x * 19), std::uint8_t(y * 40), std::uint8_t(x * y)});
    }
    return builder.Finish();
}

SourcePicture BlockPicture(int bitsPerPixel, int width, int height) {
    PictureBuilder builder(bitsPerPixel, width, height);
    FillIndexed(builder, bitsPerPixel, width, height,
                [](int x, int y) { return unsigned(x / 16 + 3 * (y / 16)); });
    return builder.Finish();
}

SourcePicture ScreenPicture(int width, int height) {
    PictureBuilder builder(24, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2, top = y < height / 2;
            Bgr colour{std::uint8_t(80 + 100 * y / height), std::uint8_t(60 + 120 * x / width),
                       std::uint8_t(90)};
            if (left && top) colour = {30, 30, 220};
            if (!left && !top) colour = {220, 40, 30};
            builder.SetBgr(x, y, colour);
        }
    }
    return builder.Finish();
}

Bytes EncodeToBmp(const BitmapView& view) {
    class Sink : public ByteSink {
      public:
        void Write(const std::uint8_t* data, std::size_t size) override {
            bytes.insert(bytes.end(), data, data + size);
        }
        Bytes bytes;
    } sink;
    EncodeBmp(view, sink);
    return sink.bytes;
}

Bytes ToTopDown(const Bytes& bottomUpFile) {
    Bytes file = bottomUpFile;
    const std::uint32_t offset = GetU32(file, 10);
    const std::uint32_t width = GetU32(file, 18), height = GetU32(file, 22);
    const std::uint32_t bpp = file[28];
    const std::size_t rowSize = (std::size_t(width) * bpp + 31) / 32 * 4;
    for (std::uint32_t row = 0; row < height; ++row)
        std::copy_n(bottomUpFile.begin() + offset + rowSize * (height - 1 - row), rowSize,
                    file.begin() + offset + rowSize * row);
    PutU32(file, 22, static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)));
    return file;
}

ByteBuffer ToBuffer(const Bytes& bytes) {
    ByteBuffer buffer;
    if (buffer.Resize(bytes.size())) std::copy(bytes.begin(), bytes.end(), buffer.data());
    return buffer;
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

}  // namespace dhsu::nviewlib::testing
