#include "shot/shot_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "win/temporary_name.h"

namespace dhsu {
namespace {

constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kStalled = 999;

// A disk that takes at most `room` more bytes, `perCall` at a time, then fails as full.
struct ShrinkingDisk {
    std::size_t room, perCall;
    std::vector<std::uint8_t> stored;
    WriteResult operator()(const std::uint8_t* data, std::size_t size) {
        if (room == 0) return {0, kDiskFull};
        const std::size_t taken = std::min({size, perCall, room});
        stored.insert(stored.end(), data, data + taken);
        room -= taken;
        return {taken, 0};
    }
};

TEST(WriteAll, GoesOnAfterPartialWritesAndReportsTheErrorThatStoppedIt) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7};
    ShrinkingDisk roomy{100, 3};
    EXPECT_EQ(WriteAll(bytes.data(), bytes.size(), std::ref(roomy), kStalled), 0u);
    EXPECT_EQ(roomy.stored, bytes);

    // A nearly full disk takes part of the block and says so only on the next call.
    ShrinkingDisk nearlyFull{4, 100};
    EXPECT_EQ(WriteAll(bytes.data(), bytes.size(), std::ref(nearlyFull), kStalled), kDiskFull);

    const WriteCall takesNothing = [](const std::uint8_t*, std::size_t) { return WriteResult{}; };
    EXPECT_EQ(WriteAll(bytes.data(), bytes.size(), takesNothing, kStalled), kStalled);
}

TEST(LeftoverShot, OnlyOurTemporaryNamesEmptyOrBegunAsABmpOrAJpeg) {
    const std::string name = MakeTemporaryName(0x1234, 2).text;
    EXPECT_EQ(name, "~dhsu-0000123400000002.tmp");
    EXPECT_TRUE(IsLeftoverShot(name, ""));
    EXPECT_TRUE(IsLeftoverShot(name, "BM"));
    EXPECT_TRUE(IsLeftoverShot(name, "\xFF\xD8"));
    EXPECT_FALSE(IsLeftoverShot(name, "PK"));
    for (const char* other : {"~dhsu-000012340000002.tmp", "~dhsu-0000123400000002.tmp.bmp",
                              "~DHSU-0000123400000002.TMP", "~dhsu-000012340000000g.tmp",
                              "x~dhsu-0000123400000002.tmp"})
        EXPECT_FALSE(IsLeftoverShot(other, "BM")) << other;
}

}  // namespace
}  // namespace dhsu
