#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// %NAME% expansion of a whole line before it is split, as at the interpreter's prompt: a defined
// name is replaced by its value; an undefined one, and a lone "%", stay as written.
namespace kavu::console {

using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

std::string expandVariables(std::string_view line, const VariableLookup& lookup);

} // namespace kavu::console
