#include "ui/quality_commit.h"

#include <gtest/gtest.h>

namespace dhsu {
namespace {

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
