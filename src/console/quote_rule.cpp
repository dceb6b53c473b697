#include "console/quote_rule.h"

#include <algorithm>

#include "console/text.h"

namespace kavu::console {

namespace {

bool keepsQuotes(std::string_view text, const ProgramCheck& namesProgram) {
    if (std::count(text.begin(), text.end(), '"') != 2) {
        return false;
    }
    const std::size_t closing = text.find('"', 1);
    const std::string_view inner = text.substr(1, closing - 1);
    if (inner.find_first_of("&<>()@^|") != std::string_view::npos) {
        return false;
    }
    if (std::none_of(inner.begin(), inner.end(), [](char c) { return isBlank(c); })) {
        return false;
    }
    return namesProgram && namesProgram(std::string(inner));
}

} // namespace

std::string applyLeadingQuoteRule(std::string_view text, const ProgramCheck& namesProgram) {
    std::string result(text);
    if (text.empty() || text.front() != '"' || keepsQuotes(text, namesProgram)) {
        return result;
    }
    result.erase(0, 1);
    const std::size_t last = result.rfind('"');
    if (last != std::string::npos) {
        result.erase(last, 1);
    }
    return result;
}

} // namespace kavu::console
