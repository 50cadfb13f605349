#include "nviewlib/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/nviewlib_test_images.h"

namespace dhsu::nviewlib {
namespace {

using testing::Bgr;
using testing::Bytes;
using testing::EncodeToBmp;
using testing::PutU32;
using testing::SourcePicture;

constexpr std::size_t kWidthAt = 18, kHeightAt = 22, kPlanesAt = 26, kDepthAt = 28;
constexpr std::size_t kCompressionAt = 30, kColoursUsedAt = 46, kPixelOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = 14;

Bgr PixelAt(const BgrImage& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void ExpectSamePicture(const BgrImage& image, const SourcePicture& source) {
    ASSERT_EQ(image.width, source.view.width);
    ASSERT_EQ(image.height, source.view.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            ASSERT_EQ(PixelAt(image, x, y), source.Expected(x, y)) << "at " << x << "," << y;
}

BmpStatus Read(const Bytes& file, BgrImage& image) {
    return ReadBmp(testing::ToBuffer(file), image);
}

BmpStatus Read(const Bytes& file) {
    BgrImage image;
    const BmpStatus status = Read(file, image);
    if (status != BmpStatus::kOk) {
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.bytes.empty());
    }
    return status;
}

// Every depth a capture can have, at a width that leaves partial bytes and row padding.
class BmpReaderDepth : public ::testing::TestWithParam<int> {};

TEST_P(BmpReaderDepth, ReadsBackEveryPixelOfTheProgramsOwnFiles) {
    const SourcePicture source = testing::PatternPicture(GetParam(), 13, 5);
    BgrImage image;
    ASSERT_EQ(Read(EncodeToBmp(source.view), image), BmpStatus::kOk);
    EXPECT_TRUE(image.bottomUp);
    ExpectSamePicture(image, source);
}

TEST_P(BmpReaderDepth, ReadsTopDownFilesInPictureOrder) {
    const SourcePicture source = testing::PatternPicture(GetParam(), 13, 5);
    BgrImage image;
    ASSERT_EQ(Read(testing::ToTopDown(EncodeToBmp(source.view)), image), BmpStatus::kOk);
    EXPECT_FALSE(image.bottomUp);
    ExpectSamePicture(image, source);
}

INSTANTIATE_TEST_SUITE_P(StoredDepths, BmpReaderDepth, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST(BmpReader, TakesTheLongerInfoHeadersWithTheColourTableAfterThem) {
    const SourcePicture source = testing::PatternPicture(4, 7, 3);
    const Bytes plain = EncodeToBmp(source.view);
    for (const std::uint32_t infoSize : {108u, 124u}) {
        Bytes file(plain.begin(), plain.begin() + 54);
        file.resize(14 + infoSize, 0);
        file.insert(file.end(), plain.begin() + 54, plain.end());
        PutU32(file, kInfoSizeAt, infoSize);
        PutU32(file, kPixelOffsetAt, 14 + infoSize + 16 * 4);
        BgrImage image;
        ASSERT_EQ(Read(file, image), BmpStatus::kOk) << infoSize;
        ExpectSamePicture(image, source);
    }
}

TEST(BmpReader, ShortColourTableShowsMissingColoursAsBlack) {
    // 8 bits, two table entries, pixels 0, 1 and 200 in one row.
    Bytes file = EncodeToBmp(testing::PatternPicture(8, 3, 1).view);
    Bytes shortFile(file.begin(), file.begin() + 54);
    shortFile.insert(shortFile.end(), {10, 20, 30, 0, 40, 50, 60, 0});
    shortFile.insert(shortFile.end(), {0, 1, 200, 0});
    PutU32(shortFile, kColoursUsedAt, 2);
    PutU32(shortFile, kPixelOffsetAt, 54 + 8);
    BgrImage image;
    ASSERT_EQ(Read(shortFile, image), BmpStatus::kOk);
    EXPECT_EQ(PixelAt(image, 0, 0), (Bgr{10, 20, 30}));
    EXPECT_EQ(PixelAt(image, 1, 0), (Bgr{40, 50, 60}));
    EXPECT_EQ(PixelAt(image, 2, 0), (Bgr{0, 0, 0}));
}

TEST(BmpReader, HonoursAPixelOffsetPastTheHeaders) {
    const SourcePicture source = testing::PatternPicture(24, 5, 4);
    const Bytes plain = EncodeToBmp(source.view);
    Bytes file(plain.begin(), plain.begin() + 54);
    file.resize(54 + 10, 0xCC);
    file.insert(file.end(), plain.begin() + 54, plain.end());
    PutU32(file, kPixelOffsetAt, 54 + 10);
    BgrImage image;
    ASSERT_EQ(Read(file, image), BmpStatus::kOk);
    ExpectSamePicture(image, source);
}

// A small valid file (8 bits, 5 x 3) with one header field changed.
Bytes WithField(std::size_t offset, std::uint32_t value, int bpp = 8) {
    Bytes file = EncodeToBmp(testing::PatternPicture(bpp, 5, 3).view);
    PutU32(file, offset, value);
    return file;
}

Bytes WithU16(std::size_t offset, std::uint16_t value) {
    Bytes file = EncodeToBmp(testing::PatternPicture(8, 5, 3).view);
    file[offset] = std::uint8_t(value);
    file[offset + 1] = std::uint8_t(value >> 8);
    return file;
}

TEST(BmpReaderRefuses, FilesThatAreNotBmpOrAreCutShort) {
    const Bytes valid = EncodeToBmp(testing::PatternPicture(24, 5, 3).view);
    EXPECT_EQ(Read({}), BmpStatus::kNotBmp);
    EXPECT_EQ(Read({'P', 'K', 3, 4}), BmpStatus::kNotBmp);
    EXPECT_EQ(Read({'B', 'M', 0, 0}), BmpStatus::kTruncated);
    // Every prefix of a valid file lacks some part of it.
    for (std::size_t size = 2; size < valid.size(); ++size)
        ASSERT_EQ(Read(Bytes(valid.begin(), valid.begin() + size)), BmpStatus::kTruncated) << size;
}

TEST(BmpReaderRefuses, FormatsTheProgramDoesNotWrite) {
    EXPECT_EQ(Read(WithField(kInfoSizeAt, 12)), BmpStatus::kUnsupported);  // OS/2 core header
    EXPECT_EQ(Read(WithField(kInfoSizeAt, 64)), BmpStatus::kUnsupported);
    EXPECT_EQ(Read(WithField(kCompressionAt, 1)), BmpStatus::kUnsupported);  // BI_RLE8
    EXPECT_EQ(Read(WithField(kCompressionAt, 3)), BmpStatus::kUnsupported);  // BI_BITFIELDS
    EXPECT_EQ(Read(WithU16(kPlanesAt, 2)), BmpStatus::kUnsupported);
    for (const std::uint16_t depth : {0, 2, 16, 32, 48})
        EXPECT_EQ(Read(WithU16(kDepthAt, depth)), BmpStatus::kUnsupported) << depth;
}

TEST(BmpReaderRefuses, DimensionsBeyondTheLimits) {
    EXPECT_EQ(Read(WithField(kWidthAt, 40000)), BmpStatus::kTooLarge);
    EXPECT_EQ(Read(WithField(kHeightAt, 40000)), BmpStatus::kTooLarge);
    EXPECT_EQ(Read(WithField(kHeightAt, std::uint32_t(-40000))), BmpStatus::kTooLarge);
    Bytes square = WithField(kWidthAt, 30000);
    PutU32(square, kHeightAt, 30000);  // each side allowed, the pixel count not
    EXPECT_EQ(Read(square), BmpStatus::kTooLarge);
    // Within the limits, but the file holds a few bytes of the 768 MiB its header claims.
    Bytes claimsMore = WithField(kWidthAt, 16384, 24);
    PutU32(claimsMore, kHeightAt, 16384);
    EXPECT_EQ(Read(claimsMore), BmpStatus::kTruncated);
}

TEST(BmpReaderRefuses, HeadersThatContradictThemselves) {
    EXPECT_EQ(Read(WithField(kWidthAt, 0)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kWidthAt, std::uint32_t(-5))), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kHeightAt, 0)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kHeightAt, 0x80000000u)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kColoursUsedAt, 257)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kColoursUsedAt, 3, 1)), BmpStatus::kInconsistent);
    // A 24-bit file may carry a table, but not one reaching past the pixels.
    EXPECT_EQ(Read(WithField(kColoursUsedAt, 0xFFFFFFFFu, 24)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kColoursUsedAt, 1, 24)), BmpStatus::kInconsistent);
    // Pixels that would overlap the colour table, or that start past the end of the file.
    EXPECT_EQ(Read(WithField(kPixelOffsetAt, 54)), BmpStatus::kInconsistent);
    EXPECT_EQ(Read(WithField(kPixelOffsetAt, 0xFFFFFFF0u)), BmpStatus::kTruncated);
}

}  // namespace
}  // namespace dhsu::nviewlib
