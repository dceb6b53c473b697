#pragma once

#include <optional>
#include <string>
#include <string_view>

// Recognising the interpreter's own commands and the pure rules of their arguments.
namespace kavu::console {

enum class Builtin { Echo, Title, Color, Pause, Exit, Cd, Cls, Findstr, Reg };

struct BuiltinCall {
    Builtin which;
    // What follows the name, from the character right after it (blanks kept).
    std::string rest;
};

// Internal commands are matched on the first word up to a delimiter ("echo.", "cd..", "pause");
// FINDSTR and REG, programs on Windows, on the whole first word, with or without ".exe". Case
// does not matter.
std::optional<BuiltinCall> matchBuiltin(std::string_view command);

struct EchoAction {
    enum class Kind { Print, ShowState, TurnOn, TurnOff };
    Kind kind = Kind::Print;
    std::string text; // for Print: the line, without its line break

    bool operator==(const EchoAction&) const = default;
};

// ECHO drops one space, tab, ".", ":", ";" or "/" after its name and prints the rest verbatim;
// with nothing (or only blanks) after the name it reports its state; "on" / "off" switch it.
EchoAction parseEcho(std::string_view rest);

// TITLE sets the rest after one delimiter, trailing blanks included.
std::string titleText(std::string_view rest);
// The terminal escape that sets the window title; control characters of the title are left out.
std::string titleSequence(std::string_view title);

// EXIT [/B] [n]: n as a leading decimal number, 0 when missing or not a number.
int parseExitCode(std::string_view rest);

// CD's folder argument: blanks trimmed, a "/D" switch and surrounding quotes removed.
std::string cdTarget(std::string_view rest);

} // namespace kavu::console
