#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kavu {
namespace {

struct ValueCase {
    const char* text;
    double expected;
};

class NumericValue : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numericValue(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    testing::Values(
        ValueCase{"50", 50}, ValueCase{"50.0", 50}, ValueCase{" 50", 50}, ValueCase{"12.50", 12.5},
        ValueCase{"abc", 0}, ValueCase{"", 0}, ValueCase{"150", 150}, ValueCase{"   ", 0},
        ValueCase{"1 2 3", 123}, ValueCase{"- 5", -5}, ValueCase{"+7", 7}, ValueCase{"-2.5", -2.5},
        ValueCase{"2.5", 2.5}, ValueCase{".5", 0.5}, ValueCase{"5.", 5}, ValueCase{".", 0},
        ValueCase{"-", 0}, ValueCase{"--5", 0}, ValueCase{"12abc", 12}, ValueCase{"1.2.3", 1.2},
        ValueCase{"5-3", 5}, ValueCase{"1e3", 1000}, ValueCase{"1E-2", 0.01}, ValueCase{"2d2", 200},
        ValueCase{"1e", 1}, ValueCase{"1e+", 1}, ValueCase{"e5", 0}, ValueCase{"\t4\n2", 42},
        ValueCase{"0.1", 0.1}, ValueCase{"1080", 1080}, ValueCase{"411", 411}, ValueCase{"0", 0},
        ValueCase{"00012", 12}, ValueCase{"３", 0}, ValueCase{"1,5", 1}));

struct TextCase {
    double value;
    const char* expected;
};

class DecimalText : public testing::TestWithParam<TextCase> {};

TEST_P(DecimalText, WritesFifteenSignificantDigits) {
    EXPECT_EQ(decimalText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, DecimalText,
    testing::Values(TextCase{0, "0"}, TextCase{-0.0, "0"}, TextCase{1, "1"}, TextCase{-1, "-1"},
                    TextCase{50, "50"}, TextCase{12.5, "12.5"}, TextCase{2.5, "2.5"},
                    TextCase{0.1 + 0.2, "0.3"}, TextCase{1.1 - 0.1, "1"},
                    TextCase{0.7 + 0.1, "0.8"}, TextCase{1.0 / 3.0, "0.333333333333333"},
                    TextCase{2.0 / 3.0, "0.666666666666667"}, TextCase{0.0001, "0.0001"},
                    TextCase{0.00001, "1E-05"}, TextCase{0.000015, "1.5E-05"},
                    TextCase{123456789012345.0, "123456789012345"}, TextCase{1e15, "1E+15"},
                    TextCase{1234567890123456.0, "1.23456789012346E+15"}, TextCase{-1e20, "-1E+20"},
                    TextCase{1e100, "1E+100"}, TextCase{420, "420"}, TextCase{100.25, "100.25"},
                    TextCase{-32768, "-32768"}, TextCase{0.5, "0.5"},
                    TextCase{99999999999999.9, "99999999999999.9"}));

// The font scale walks an offset in steps of 0.02; what is sent is the offset cleaned through its
// decimal text, plus 1.
std::string fontScaleAfter(int steps) {
    double offset = 0.0;
    const double step = steps < 0 ? -0.02 : 0.02;
    for (int i = 0; i < std::abs(steps); ++i) {
        offset += step;
    }
    return decimalText(numericValue(decimalText(offset)) + 1.0);
}

TEST(FontScaleSteps, CleanedThroughDecimalText) {
    EXPECT_EQ(fontScaleAfter(1), "1.02");
    EXPECT_EQ(fontScaleAfter(2), "1.04");
    EXPECT_EQ(fontScaleAfter(3), "1.06");
    EXPECT_EQ(fontScaleAfter(6), "1.12");
    EXPECT_EQ(fontScaleAfter(-50), "0");
    EXPECT_EQ(fontScaleAfter(-51), "-0.02");
    EXPECT_EQ(decimalText(numericValue(decimalText(0.02 - 0.02)) + 1.0), "1");
}

struct RoundCase {
    double value;
    double expected;
};

class RoundHalfEven : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEven,
                         testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                         RoundCase{3.5, 4}, RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                         RoundCase{-2.5, -2}, RoundCase{2.4999, 2},
                                         RoundCase{2.5001, 3}, RoundCase{420.48, 420},
                                         RoundCase{539.5, 540}, RoundCase{541.5, 542},
                                         RoundCase{7, 7}));

// The smallest-width way to a density: dp * width / 411 made whole, half to even.
TEST(DensityExamples, SmallestWidthWay) {
    EXPECT_EQ(toInt16(1080.0 * 160.0 / 411.0), std::optional<std::int16_t>(420));
    EXPECT_EQ(toInt16(1081.0 * 160.0 / 320.0), std::optional<std::int16_t>(540));
    EXPECT_EQ(toInt16(1083.0 * 160.0 / 320.0), std::optional<std::int16_t>(542));
}

TEST(Int16, LimitsAndOverflow) {
    EXPECT_EQ(toInt16(32767.0), std::optional<std::int16_t>(32767));
    EXPECT_EQ(toInt16(32767.4), std::optional<std::int16_t>(32767));
    EXPECT_EQ(toInt16(32767.5), std::nullopt);
    EXPECT_EQ(toInt16(-32768.0), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(toInt16(-32768.5), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(toInt16(-32769.0), std::nullopt);
    EXPECT_EQ(toInt16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
}

} // namespace
} // namespace kavu
