#pragma once

// The main window's notice drifts left by 1.2 twips a tick; once its position passes 890 it
// jumps back to -660. The position is single precision, as the drift has always been.
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

private:
    float m_position = kStart;
};

} // namespace kavu
