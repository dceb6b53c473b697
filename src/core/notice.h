#pragma once

#include <cmath>
#include <cstdlib>

// The main window's notice drifts left by 1.2 twips a tick (one tick every 5 ms); once its position
// passes 890 it jumps back to -660. The position is single precision, as the drift has always
// been.
namespace kavu {

class NoticeScroller {
public:
    static constexpr float kStart = -470.0F;
    static constexpr float kStep = 1.2F;
    static constexpr float kWrapAbove = 890.0F;
    static constexpr float kWrapTo = -660.0F;

    void reset() { m_position = kStart; }
    // One tick: returns the notice's new left edge in twips.
    float tick() {
        m_position += kStep;
        const float left = -m_position;
        if (m_position > kWrapAbove) {
            m_position = kWrapTo;
        }
        return left;
    }
    float position() const { return m_position; }

    // The notice's left edge, in whole pixels, after one more tick.
    static int toPixels(float leftTwips) {
        return static_cast<int>(std::lround(leftTwips / kTwipsPerPixel));
    }

    // How many ticks from now the left edge lands at least kShownStep pixels away from shownPixel
    // (or jumps back): the ticks in between are not shown, so the window need not wake up for
    // them.
    int ticksUntilMoved(int shownPixel) const {
        NoticeScroller ahead = *this;
        int ticks = 1;
        while (std::abs(toPixels(ahead.tick()) - shownPixel) < kShownStep && ticks < kMaxBatch) {
            ++ticks;
        }
        return ticks;
    }

    // The notice is shown every third pixel of its drift, about five times a second (as often as
    // the drift's original timer, which Windows ran every 15.6 ms, moved it a pixel): each showing
    // costs a wake-up and a painting, whether the step is one pixel or three.
    static constexpr int kShownStep = 3;
    static constexpr float kTwipsPerPixel = 15.0F;
    static constexpr int kMaxBatch = 1000;

private:
    float m_position = kStart;
};

} // namespace kavu
