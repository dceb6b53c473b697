#pragma once

#include <string>
#include <string_view>

// Small text helpers of the interpreter. Text is UTF-8; case folding touches ASCII letters only.
namespace kavu::console {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char asciiLower(char c);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string_view trimBlanks(std::string_view text);
// Spaces, tabs and line breaks before the text given after "/c" or "/k".
std::string_view skipLeadingBlanks(std::string_view text);

} // namespace kavu::console
