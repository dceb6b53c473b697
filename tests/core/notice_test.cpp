#include "core/notice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kavu {
namespace {

TEST(NoticeScroller, StartsAt470AndDriftsLeft) {
    NoticeScroller notice;
    EXPECT_NEAR(notice.tick(), 468.8F, 1e-3);
    EXPECT_NEAR(notice.tick(), 467.6F, 1e-3);
}

// Over two full cycles the left edge passes -890, restarts from 660 and never again from 470.
TEST(NoticeScroller, WrapsFromPastMinus890To660) {
    NoticeScroller notice;
    float previous = notice.tick();
    int wraps = 0;
    float lowest = previous;
    for (int tick = 0; tick < 3000; ++tick) {
        const float left = notice.tick();
        if (left > previous) {
            ++wraps;
            EXPECT_NEAR(left, 660.0F - 1.2F, 1e-3) << "tick " << tick;
            EXPECT_LT(previous, -890.0F);
            EXPECT_GT(previous, -891.3F);
        }
        lowest = std::min(lowest, left);
        previous = left;
    }
    EXPECT_GE(wraps, 2);
    EXPECT_GT(lowest, -891.3F);
}

TEST(NoticeScroller, ResetStartsOver) {
    NoticeScroller notice;
    for (int tick = 0; tick < 100; ++tick) {
        notice.tick();
    }
    notice.reset();
    EXPECT_FLOAT_EQ(notice.position(), -470.0F);
}

// Skipping ahead stops at the first tick that puts the notice a shown step away (or back).
TEST(NoticeScroller, TicksUntilMovedFindsTheNextShownStep) {
    NoticeScroller notice;
    int shown = 8; // where the label stands before the first tick
    for (int step = 0; step < 400; ++step) {
        const int batch = notice.ticksUntilMoved(shown);
        ASSERT_GE(batch, 1);
        for (int i = 1; i < batch; ++i) {
            ASSERT_LT(std::abs(NoticeScroller::toPixels(notice.tick()) - shown),
                      NoticeScroller::kShownStep);
        }
        const int moved = NoticeScroller::toPixels(notice.tick());
        ASSERT_GE(std::abs(moved - shown), NoticeScroller::kShownStep);
        shown = moved;
    }
}

} // namespace
} // namespace kavu
