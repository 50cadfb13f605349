#include "shot/capture_geometry.h"

#include <gtest/gtest.h>

namespace dhsu {
namespace {

const Rect kDesktop640{0, 0, 640, 480};

TEST(FullScreenRule, OnlyA640x480ClientAtTheOriginOfA640x480Desktop) {
    EXPECT_TRUE(IsFullScreen640(kDesktop640, {0, 0, 640, 480}, {0, 0, 640, 480}));
    EXPECT_TRUE(IsFullScreen640(kDesktop640, {0, 0, 700, 520}, {0, 0, 640, 480}));
    EXPECT_FALSE(IsFullScreen640({0, 0, 800, 600}, {0, 0, 640, 480}, {0, 0, 640, 480}));
    EXPECT_FALSE(IsFullScreen640({0, 0, 640, 481}, {0, 0, 640, 480}, {0, 0, 640, 480}));
    EXPECT_FALSE(IsFullScreen640(kDesktop640, {1, 0, 641, 480}, {0, 0, 640, 480}));
    EXPECT_FALSE(IsFullScreen640(kDesktop640, {0, -1, 640, 479}, {0, 0, 640, 480}));
    EXPECT_FALSE(IsFullScreen640(kDesktop640, {0, 0, 640, 480}, {0, 0, 640, 460}));
}

TEST(CaptureRect, ClientModeUsesClientSizeElseTheWindowOnScreen) {
    const Rect window{100, 50, 420, 290}, client{0, 0, 300, 200};
    EXPECT_EQ(CaptureRectFor(true, window, client), (CaptureRect{0, 0, 300, 200}));
    EXPECT_EQ(CaptureRectFor(false, window, client), (CaptureRect{100, 50, 320, 240}));
}

TEST(Clipping, InsideTheClipBoxIsUnchanged) {
    EXPECT_EQ(ClipCaptureRect({10, 20, 100, 50}, {0, 0, 1280, 1024}),
              (CaptureRect{10, 20, 100, 50}));
}

TEST(Clipping, WindowPastTheLeftOrTopEdgeShrinksByTheOverhang) {
    EXPECT_EQ(ClipCaptureRect({-30, 10, 100, 50}, {0, 0, 1280, 1024}),
              (CaptureRect{0, 10, 70, 50}));
    EXPECT_EQ(ClipCaptureRect({10, -15, 100, 50}, {0, 0, 1280, 1024}),
              (CaptureRect{10, 0, 100, 35}));
}

TEST(Clipping, WindowPastTheRightOrBottomEdgeIsCutToTheEdge) {
    EXPECT_EQ(ClipCaptureRect({1200, 1000, 100, 50}, {0, 0, 1280, 1024}),
              (CaptureRect{1200, 1000, 80, 24}));
}

TEST(Clipping, WhollyOutsideGivesNothing) {
    const Rect screen{0, 0, 1280, 1024};
    EXPECT_FALSE(ClipCaptureRect({1280, 10, 100, 50}, screen));
    EXPECT_FALSE(ClipCaptureRect({10, 1024, 100, 50}, screen));
    EXPECT_FALSE(ClipCaptureRect({-200, 10, 100, 50}, screen));
    EXPECT_FALSE(ClipCaptureRect({10, -300, 100, 50}, screen));
}

TEST(Clipping, TouchingTheLeftOrTopEdgeGivesAnEmptyCaptureThatIsStillTaken) {
    // The edge tests are strict, so a window ending exactly at the clip box's left is kept.
    EXPECT_EQ(ClipCaptureRect({-100, 10, 100, 50}, {0, 0, 1280, 1024}),
              (CaptureRect{0, 10, 0, 50}));
}

TEST(Clipping, NegativeSizeFromAnInvertedRectangleGivesNothing) {
    EXPECT_FALSE(ClipCaptureRect({10, 10, -5, 20}, {0, 0, 1280, 1024}));
}

TEST(Clipping, ClipBoxAwayFromTheOrigin) {
    EXPECT_EQ(ClipCaptureRect({0, 0, 300, 200}, {50, 40, 250, 150}),
              (CaptureRect{50, 40, 200, 110}));
}

}  // namespace
}  // namespace dhsu
