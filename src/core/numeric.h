#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules by which typed texts become numbers and computed numbers become texts again.
namespace kavu {

inline constexpr int kInt16Min = -32768;
inline constexpr int kInt16Max = 32767;

// The text read as a decimal number from its start up to the first character that cannot belong
// to one. Blanks (space, tab, CR, LF) are skipped wherever they stand; an optional sign, digits,
// a decimal point and an exponent (E or D) are read. A text without a leading number reads 0.
double numericValue(std::string_view text);

// At most 15 significant digits, rounded to nearest; no trailing zeros, no point for a whole
// number, a minus sign for negatives, and the exponent form ("1E+15", "1.5E-05") for magnitudes
// from 1e15 up or below 1e-4.
std::string decimalText(double value);

// The nearest integer, halves going to the even neighbour.
double roundHalfEven(double value);

// The value made whole (half to even), if it fits a 16-bit signed integer.
std::optional<std::int16_t> toInt16(double value);

// The value of a run of at most eight hexadecimal digits (either case), as protocols write
// lengths and code units; none when a character is not one, or for an empty or longer run.
std::optional<std::uint32_t> hexValue(std::string_view digits);

} // namespace kavu
