#include "core/shown_text.h"

namespace kavu {

std::string fillIn(std::string_view pattern, std::string_view argument) {
    static constexpr std::string_view kMarker = "%1";
    std::string filled;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(kMarker); at != std::string_view::npos;
         at = pattern.find(kMarker, from)) {
        filled.append(pattern.substr(from, at - from)).append(argument);
        from = at + kMarker.size();
    }
    return filled.append(pattern.substr(from));
}

namespace {

// The code point of the UTF-8 sequence starting at text[at], and its length in bytes.
char32_t codePointAt(std::string_view text, std::size_t at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length > text.size()) {
        length = text.size() - at;
        return lead;
    }
    char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        point = (point << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    return point;
}

bool isWide(char32_t point) {
    return (point >= 0x1100 && point <= 0x115F) || (point >= 0x2E80 && point <= 0xA4CF) ||
           (point >= 0xAC00 && point <= 0xD7A3) || (point >= 0xF900 && point <= 0xFAFF) ||
           (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFF60) ||
           (point >= 0xFFE0 && point <= 0xFFE6) || (point >= 0x20000 && point <= 0x3FFFD);
}

} // namespace

std::size_t consoleColumns(std::string_view utf8Text) {
    std::size_t columns = 0;
    std::size_t length = 0;
    for (std::size_t at = 0; at < utf8Text.size(); at += length) {
        columns += isWide(codePointAt(utf8Text, at, length)) ? 2 : 1;
    }
    return columns;
}

} // namespace kavu
