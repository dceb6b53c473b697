#pragma once

#include "core/launch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns an interpreter line ("cmd /k TEXT") into the programs that run it on this platform.
namespace kavu::platform {

struct InterpreterCall {
    std::string switchText; // "/c" or "/k"
    std::string text;       // the rest of the line, leading blanks kept
};

// Splits "cmd /c TEXT" / "cmd /k TEXT" (names and switch in any case). A line that does not start
// with the interpreter's name is run as "/c" with the whole line as its text.
InterpreterCall parseInterpreterLine(std::string_view line);

enum class TerminalKind { Xterm, Generic };

struct Terminal {
    std::string path;
    TerminalKind kind;
};

// The argument vector that starts kavu-cmd for a call: bare for a hidden run, inside the terminal
// for a visible one (iconified when minimized).
std::vector<std::string> consoleArguments(const std::string& interpreterPath,
                                          const InterpreterCall& call, launch::WindowMode mode,
                                          const std::optional<Terminal>& terminal);

} // namespace kavu::platform
