#include "jpeg/jpeg_quality.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace dhsu {
namespace {

TEST(QualityTextTest, ReadsSignAndDigitsUpToTheFirstOtherCharacter) {
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"75", 75},   {"0", 0},      {" \t\r\n42", 42}, {" +42x", 42}, {"-1", -1},
        {"101", 101}, {"12 34", 12}, {"", 0},           {"abc", 0},    {"-", 0},
        {"+-5", 0},   {"x5", 0},     {"007", 7},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseQualityText(text), expected) << '"' << text << '"';
    }
}

TEST(QualityTextTest, HugeNumbersSaturateInsteadOfWrapping) {
    EXPECT_EQ(ParseQualityText("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseQualityText("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseQualityText("-99999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(UsableQuality(ParseQualityText("4294967371")), 75);  // would wrap to 75 + 2^32
}

TEST(QualityTextTest, OnlyZeroToHundredIsUsed) {
    EXPECT_EQ(UsableQuality(0), 0);
    EXPECT_EQ(UsableQuality(100), 100);
    EXPECT_EQ(UsableQuality(5), 5);
    EXPECT_EQ(UsableQuality(101), 75);
    EXPECT_EQ(UsableQuality(-1), 75);
}

TEST(QualityCommit, NoNumberOrZeroGivesTheDefault) {
    EXPECT_EQ(CommittedQuality("abc"), 75);
    EXPECT_EQ(CommittedQuality(""), 75);
    EXPECT_EQ(CommittedQuality("0"), 75);
    EXPECT_EQ(CommittedQuality("-0"), 75);
}

TEST(QualityCommit, OutOfRangeIsClampedAndTrailingTextIgnored) {
    EXPECT_EQ(CommittedQuality("150"), 100);
    EXPECT_EQ(CommittedQuality("3"), 5);
    EXPECT_EQ(CommittedQuality("-7"), 5);
    EXPECT_EQ(CommittedQuality("42xy"), 42);
    EXPECT_EQ(CommittedQuality("  +90"), 90);
    EXPECT_EQ(CommittedQuality("99999999999999"), 100);
}

}  // namespace
}  // namespace dhsu
