#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/interpreter.h"

// One run of the interpreter as a process: "/c TEXT" runs TEXT and ends with its status; "/k TEXT"
// runs TEXT and then reads further lines at a prompt until EXIT or end of input.
namespace kavu::console {

struct Invocation {
    bool keepOpen = true;
    std::string text;

    bool operator==(const Invocation&) const = default;
};

// The arguments after the program name. Switches before /c or /k (/q, /d, /s, …) are skipped;
// the arguments after /c or /k are joined by single spaces. No /c or /k: an interactive prompt.
Invocation parseInvocation(const std::vector<std::string>& args);

// Reads one line from fd, one byte at a time so that nothing past the line is taken from the
// programs that share the input. No value at end of input; an empty line when interrupted.
std::optional<std::string> readLine(int fd);

// Runs the invocation and returns the process's exit status.
int runSession(Interpreter& interpreter, const Invocation& invocation, int input, int output);

} // namespace kavu::console
