#pragma once

namespace kavu {

// How far the font scale last sent by the step buttons of "无极调节" lies from 1.0. It lives as
// long as the program: closing the window keeps it, and the next step goes on from it. It is
// never read from the phone, so the first step of a run always starts from 1.0.
class FontScaleOffset {
public:
    // One step of 0.02 up or down. The exact double sum is kept, rounding noise included; only
    // the font scale derived from it is cleaned.
    void stepUp();
    void stepDown();
    void reset() { m_offset = 0.0; }

    double offset() const { return m_offset; }
    // The offset written as 15-digit decimal text and read back (which drops the noise that
    // repeated steps of 0.02 leave), plus 1.0.
    double fontScale() const;

private:
    double m_offset = 0.0;
};

} // namespace kavu
