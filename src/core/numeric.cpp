#include "core/numeric.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kavu {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Collects the characters of the leading number, blanks removed, in a form strtod reads.
std::string leadingNumber(std::string_view text) {
    std::string number;
    bool digitsSeen = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    bool exponentDigits = false;
    std::size_t exponentStart = 0;
    for (char c : text) {
        if (isBlank(c)) {
            continue;
        }
        if ((c == '+' || c == '-') &&
            (number.empty() || (exponentSeen && number.size() == exponentStart))) {
            number += c;
        } else if (isDigit(c)) {
            number += c;
            (exponentSeen ? exponentDigits : digitsSeen) = true;
        } else if (c == '.' && !pointSeen && !exponentSeen) {
            number += c;
            pointSeen = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digitsSeen && !exponentSeen) {
            number += 'e';
            exponentSeen = true;
            exponentStart = number.size();
        } else {
            break;
        }
    }
    if (!digitsSeen) {
        return {};
    }
    if (exponentSeen && !exponentDigits) {
        // "12e" or "12e+" carries no exponent: read the mantissa alone.
        number.erase(number.find('e'));
    }
    return number;
}

} // namespace

double numericValue(std::string_view text) {
    const std::string number = leadingNumber(text);
    if (number.empty()) {
        return 0.0;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::string decimalText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0) {
        return "0";
    }
    // A whole number of at most 15 digits is its own 15-digit form (the auto-clicker shows one
    // every tap).
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char whole[24];
        const auto [end, error] =
            std::to_chars(whole, whole + sizeof whole, static_cast<std::int64_t>(value));
        return std::string(whole, end);
    }
    // "d.ddddddddddddddde±XX": 15 significant digits, rounded to nearest.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string scientific(buffer);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) {
            text += '.' + digits.substr(1);
        }
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return text + exponentText;
    }
    if (exponent < 0) {
        return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
        return text + digits + std::string(wholeDigits - digits.size(), '0');
    }
    return text + digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
}

double roundHalfEven(double value) {
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double whole = std::nearbyint(value);
    std::fesetround(previous);
    return whole;
}

std::optional<std::int16_t> toInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double whole = roundHalfEven(value);
    if (whole < kInt16Min || whole > kInt16Max) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(whole);
}

std::optional<std::uint32_t> hexValue(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace kavu
