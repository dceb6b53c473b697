#include "console/variables.h"

namespace kavu::console {

std::string expandVariables(std::string_view line, const VariableLookup& lookup) {
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::size_t close = line.find('%', i + 1);
        if (close == std::string_view::npos || close == i + 1) {
            out += c;
            ++i;
            continue;
        }
        const std::string_view name = line.substr(i + 1, close - i - 1);
        const std::optional<std::string> value = lookup ? lookup(name) : std::nullopt;
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // Left as written; the closing "%" may open the next name.
            out += line.substr(i, close - i);
            i = close;
        }
    }
    return out;
}

} // namespace kavu::console
