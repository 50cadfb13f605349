#include "ui/captions.h"

#include <gtest/gtest.h>

namespace dhsu {
namespace {

TEST(Captions, CountWaitingFilesAndShots) {
    EXPECT_EQ(EncodingCaption(0), "DH Screenshot Utility");
    EXPECT_EQ(EncodingCaption(3), "Encoding...3 - DH Screenshot Utility");
    EXPECT_EQ(ShotCountText(12), "Shot : 12");
}

}  // namespace
}  // namespace dhsu
