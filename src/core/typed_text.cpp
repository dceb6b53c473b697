#include "core/typed_text.h"

namespace kavu {

namespace {

bool isOperator(unsigned char c) {
    return c == '&' || c == '|' || c == '<' || c == '>' || c == '^';
}

} // namespace

bool isSafeToSplice(std::string_view utf8Text, Splice splice) {
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8Text[i]);
        if (c < 0x20 || c == 0x7F || c == '"') {
            return false;
        }
        if (splice == Splice::Unquoted && isOperator(c)) {
            return false;
        }
        const auto next = i + 1 < utf8Text.size() ? static_cast<unsigned char>(utf8Text[i + 1]) : 0;
        // C1 controls (U+0080..U+009F) are C2 80..C2 9F in UTF-8.
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            return false;
        }
        // Line and paragraph separators U+2028, U+2029: E2 80 A8 / E2 80 A9.
        if (c == 0xE2 && next == 0x80 && i + 2 < utf8Text.size()) {
            const auto third = static_cast<unsigned char>(utf8Text[i + 2]);
            if (third == 0xA8 || third == 0xA9) {
                return false;
            }
        }
    }
    return true;
}

} // namespace kavu
