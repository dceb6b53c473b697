#include "console/builtins.h"

#include <array>
#include <limits>

#include "console/text.h"

namespace kavu::console {

namespace {

struct Name {
    std::string_view name;
    Builtin which;
};

constexpr std::array kInternal{
    Name{"echo", Builtin::Echo},   Name{"title", Builtin::Title}, Name{"color", Builtin::Color},
    Name{"pause", Builtin::Pause}, Name{"exit", Builtin::Exit},   Name{"cd", Builtin::Cd},
    Name{"chdir", Builtin::Cd},    Name{"cls", Builtin::Cls},
};

constexpr std::array kStandIns{
    Name{"findstr", Builtin::Findstr},
    Name{"findstr.exe", Builtin::Findstr},
    Name{"reg", Builtin::Reg},
    Name{"reg.exe", Builtin::Reg},
};

bool endsInternalName(char c) {
    constexpr std::string_view delimiters = " \t.:;/,=(+[]\\\"";
    return delimiters.find(c) != std::string_view::npos;
}

bool isEchoSeparator(char c) {
    constexpr std::string_view separators = " \t.:;/";
    return separators.find(c) != std::string_view::npos;
}

} // namespace

std::optional<BuiltinCall> matchBuiltin(std::string_view command) {
    std::size_t end = 0;
    while (end < command.size() && !endsInternalName(command[end])) {
        ++end;
    }
    const std::string_view head = command.substr(0, end);
    for (const Name& n : kInternal) {
        if (equalsIgnoringCase(head, n.name)) {
            return BuiltinCall{n.which, std::string(command.substr(end))};
        }
    }
    std::size_t wordEnd = 0;
    while (wordEnd < command.size() && !isBlank(command[wordEnd])) {
        ++wordEnd;
    }
    const std::string_view word = command.substr(0, wordEnd);
    for (const Name& n : kStandIns) {
        if (equalsIgnoringCase(word, n.name)) {
            return BuiltinCall{n.which, std::string(command.substr(wordEnd))};
        }
    }
    return std::nullopt;
}

EchoAction parseEcho(std::string_view rest) {
    if (rest.empty()) {
        return {EchoAction::Kind::ShowState, {}};
    }
    if (!isEchoSeparator(rest.front())) {
        return {EchoAction::Kind::Print, std::string(rest)};
    }
    const std::string_view after = rest.substr(1);
    if (isBlank(rest.front())) {
        const std::string_view word = trimBlanks(after);
        if (word.empty()) {
            return {EchoAction::Kind::ShowState, {}};
        }
        if (equalsIgnoringCase(word, "on")) {
            return {EchoAction::Kind::TurnOn, {}};
        }
        if (equalsIgnoringCase(word, "off")) {
            return {EchoAction::Kind::TurnOff, {}};
        }
    }
    return {EchoAction::Kind::Print, std::string(after)};
}

std::string titleText(std::string_view rest) {
    if (!rest.empty() && isEchoSeparator(rest.front())) {
        rest.remove_prefix(1);
    }
    return std::string(rest);
}

std::string titleSequence(std::string_view title) {
    std::string seq = "\033]0;";
    for (const char c : title) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) {
            seq += c;
        }
    }
    seq += '\a';
    return seq;
}

int parseExitCode(std::string_view rest) {
    std::string_view text = trimBlanks(rest);
    if (text.size() >= 2 && text[0] == '/' && asciiLower(text[1]) == 'b' &&
        (text.size() == 2 || isBlank(text[2]))) {
        text = trimBlanks(text.substr(2));
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) {
            value = std::numeric_limits<int>::max();
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::string cdTarget(std::string_view rest) {
    std::string_view text = trimBlanks(rest);
    if (text.size() >= 2 && text[0] == '/' && asciiLower(text[1]) == 'd' &&
        (text.size() == 2 || isBlank(text[2]))) {
        text = trimBlanks(text.substr(2));
    }
    std::string target;
    for (const char c : text) {
        if (c != '"') {
            target += c;
        }
    }
    return target;
}

} // namespace kavu::console
