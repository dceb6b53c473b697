#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a program started by the interpreter sees its command: the name is the first word (double
// quotes group and are removed), and the rest is split into arguments by the rules of the Windows
// C runtime.
namespace kavu::console {

struct ProgramWords {
    std::string name;
    std::string rest; // everything after the name, blanks included
};

ProgramWords splitProgramName(std::string_view command);

// Blanks separate arguments outside double quotes; quotes group and are removed; "" inside a
// quoted part is one literal quote; 2n backslashes before a quote give n backslashes and the quote
// acts, 2n+1 give n backslashes and a literal quote; other backslashes are literal. Runs of blanks
// never make empty arguments, but "" does.
std::vector<std::string> splitArguments(std::string_view rest);

} // namespace kavu::console
