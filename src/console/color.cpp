#include "console/color.h"

#include <array>

#include "console/text.h"

namespace kavu::console {

namespace {

constexpr std::array<std::string_view, 16> kPalette{
    "#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000", "#C0C0C0",
    "#808080", "#0000FF", "#00FF00", "#00FFFF", "#FF0000", "#FF00FF", "#FFFF00", "#FFFFFF",
};

int hexDigit(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    const char lower = asciiLower(c);
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

} // namespace

ColorRequest parseColor(std::string_view rest) {
    const std::string_view arg = trimBlanks(rest);
    if (arg.empty()) {
        return {ColorRequest::Kind::Reset, 0, 0};
    }
    if (arg.size() > 2) {
        return {};
    }
    const int first = hexDigit(arg[0]);
    const int second = arg.size() == 2 ? hexDigit(arg[1]) : 0;
    if (first < 0 || second < 0) {
        return {};
    }
    const int background = arg.size() == 2 ? first : 0;
    const int foreground = arg.size() == 2 ? second : first;
    if (background == foreground) {
        return {ColorRequest::Kind::Same, background, foreground};
    }
    return {ColorRequest::Kind::Set, background, foreground};
}

std::string_view paletteHex(int index) {
    return kPalette.at(static_cast<std::size_t>(index));
}

std::string colorSequence(int background, int foreground) {
    std::string seq = "\033]11;";
    seq += paletteHex(background);
    seq += "\a\033]10;";
    seq += paletteHex(foreground);
    seq += '\a';
    return seq;
}

} // namespace kavu::console
