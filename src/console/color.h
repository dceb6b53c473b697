#pragma once

#include <string>
#include <string_view>

// COLOR xy: x is the background, y the foreground, each one hex digit of the 16-colour palette.
namespace kavu::console {

struct ColorRequest {
    enum class Kind {
        Set,     // new colours
        Reset,   // no argument: back to the terminal's own colours
        Same,    // equal digits: nothing changes, status 1
        Invalid, // not one or two hex digits: an error, status 1
    };
    Kind kind = Kind::Invalid;
    int background = 0;
    int foreground = 0;

    bool operator==(const ColorRequest&) const = default;
};

// One digit sets the foreground on black; blanks around the argument do not count.
ColorRequest parseColor(std::string_view rest);

// "#RRGGBB" of palette entry 0..15.
std::string_view paletteHex(int index);

// Repaints the whole terminal: OSC 11 (background) then OSC 10 (foreground).
std::string colorSequence(int background, int foreground);

// Gives the terminal its own colours back (OSC 110 and 111).
inline constexpr std::string_view kColorRestoreSequence = "\033]110\a\033]111\a";

} // namespace kavu::console
