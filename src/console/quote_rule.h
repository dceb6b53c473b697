#pragma once

#include <functional>
#include <string>
#include <string_view>

// What the interpreter does with a double quote at the start of the text given after "/c" or
// "/k". The quote survives only when the text holds exactly two double quotes, none of
// "& < > ( ) @ ^ |" stands between them, some whitespace does, and the quoted string names an
// existing program. Otherwise the leading quote and the last double quote of the text go, so
// "\"COLOR 3f" runs "COLOR 3f" and a lone quote simply disappears.
namespace kavu::console {

using ProgramCheck = std::function<bool(const std::string& name)>;

std::string applyLeadingQuoteRule(std::string_view text, const ProgramCheck& namesProgram);

} // namespace kavu::console
