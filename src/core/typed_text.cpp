#include "core/typed_text.h"

#include "core/network_address.h"

namespace kavu {

namespace {

// Characters the interpreter acts on outside quotes: chaining, pipes, redirection, its escape
// character and %NAME% expansion.
bool isPcOperator(unsigned char c) {
    return c == '&' || c == '|' || c == '<' || c == '>' || c == '^' || c == '%';
}

// Control characters in UTF-8: C0, DEL, C1 (C2 80..C2 9F) and the line and paragraph separators
// U+2028/U+2029 (E2 80 A8/A9), starting at byte i.
bool isControlAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto at = [&text](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0;
    };
    if (c < 0x20 || c == 0x7F) {
        return true;
    }
    if (c == 0xC2 && at(i + 1) >= 0x80 && at(i + 1) <= 0x9F) {
        return true;
    }
    return c == 0xE2 && at(i + 1) == 0x80 && (at(i + 2) == 0xA8 || at(i + 2) == 0xA9);
}

bool isLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isPhoneData(unsigned char c) {
    return isLetterOrDigit(c) || c == '.' || c == '_' || c == '-' || c == ',' || c == ':' ||
           c == '/' || c == '=' || c == '+' || c == '@';
}

bool isPartitionNameCharacter(unsigned char c) {
    return isLetterOrDigit(c) || c == '_' || c == '.' || c == '-';
}

// A leading - makes a word an option of the command that reads it.
bool readsAsOption(std::string_view text) {
    return !text.empty() && text.front() == '-';
}

bool isPartitionName(std::string_view text) {
    if (text.size() > kLongestPartitionName || readsAsOption(text)) {
        return false;
    }
    for (const char c : text) {
        if (!isPartitionNameCharacter(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool passesPcRule(std::string_view text, bool quoted) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isControlAt(text, i) || c == '"' || c == '%') {
            return false;
        }
        if (!quoted && isPcOperator(c)) {
            return false;
        }
    }
    // Under the runtime's argument rules a backslash before the closing quote escapes it.
    return !(quoted && !text.empty() && text.back() == '\\');
}

} // namespace

std::string_view refusalMessage(Refusal refusal) {
    switch (refusal) {
    case Refusal::PcCharacters:
        return kUnsafeTextMessage;
    case Refusal::PhoneCharacters:
        return kUnsafePhoneTextMessage;
    case Refusal::OutOfRange:
        return kOutOfRangeMessage;
    case Refusal::PartitionName:
        return kInvalidPartitionNameMessage;
    case Refusal::NetworkAddress:
        return kInvalidNetworkAddressMessage;
    case Refusal::None:
        break;
    }
    return {};
}

Refusal checkSplice(std::string_view utf8Text, Splice splice) {
    // Its own narrow rule answers for everything a partition name may not hold.
    if (splice == Splice::PartitionName) {
        return isPartitionName(utf8Text) ? Refusal::None : Refusal::PartitionName;
    }
    if (splice == Splice::NetworkAddress) {
        return hostAndPort(utf8Text) ? Refusal::None : Refusal::NetworkAddress;
    }
    if (!passesPcRule(utf8Text, splice == Splice::PcQuoted)) {
        return Refusal::PcCharacters;
    }
    if (splice == Splice::PhoneBare || splice == Splice::PhoneName) {
        for (const char c : utf8Text) {
            if (!isPhoneData(static_cast<unsigned char>(c))) {
                return Refusal::PhoneCharacters;
            }
        }
    }
    if (splice == Splice::PhoneName && readsAsOption(utf8Text)) {
        return Refusal::PhoneCharacters;
    }
    return Refusal::None;
}

std::string phoneQuoted(std::string_view utf8Text) {
    std::string quoted = "'";
    for (const char c : utf8Text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + '\'';
}

std::string phoneInputText(std::string_view utf8Text) {
    // Two spaces would leave "%s" WORD "%s" on the line, which the interpreter reads as the
    // variable sWORD. The caret keeps "%^s…%" from naming any variable, and the interpreter drops
    // it afterwards, so the phone still receives %s.
    std::string spaced;
    for (const char c : utf8Text) {
        if (c == ' ') {
            spaced += "%^s";
        } else {
            spaced += c;
        }
    }
    return phoneQuoted(spaced);
}

} // namespace kavu
