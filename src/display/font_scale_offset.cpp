#include "display/font_scale_offset.h"

#include "core/numeric.h"

namespace kavu {

namespace {

constexpr double kStep = 0.02;

} // namespace

void FontScaleOffset::stepUp() {
    m_offset += kStep;
}

void FontScaleOffset::stepDown() {
    m_offset -= kStep;
}

double FontScaleOffset::fontScale() const {
    return numericValue(decimalText(m_offset)) + 1.0;
}

} // namespace kavu
