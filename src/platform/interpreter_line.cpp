#include "platform/interpreter_line.h"

#include <algorithm>
#include <cctype>

namespace kavu::platform {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view lead) {
    return text.size() >= lead.size() &&
           std::equal(lead.begin(), lead.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view skipBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

} // namespace

InterpreterCall parseInterpreterLine(std::string_view line) {
    std::string_view rest = skipBlanks(line);
    if (startsWithNoCase(rest, "cmd") && (rest.size() == 3 || rest[3] == ' ' || rest[3] == '\t')) {
        rest = skipBlanks(rest.substr(3));
        if (startsWithNoCase(rest, "/c") || startsWithNoCase(rest, "/k")) {
            std::string switchText{"/"};
            switchText += static_cast<char>(std::tolower(static_cast<unsigned char>(rest[1])));
            rest.remove_prefix(2);
            // One separating blank belongs to the switch; anything after it is the text.
            if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
                rest.remove_prefix(1);
            }
            return {switchText, std::string(rest)};
        }
        return {"/c", std::string(rest)};
    }
    return {"/c", std::string(line)};
}

std::vector<std::string> consoleArguments(const std::string& interpreterPath,
                                          const InterpreterCall& call, launch::WindowMode mode,
                                          const std::optional<Terminal>& terminal) {
    std::vector<std::string> arguments;
    if (mode != launch::WindowMode::Hidden && terminal) {
        arguments.push_back(terminal->path);
        if (terminal->kind == TerminalKind::Xterm) {
            // A console like the Windows one: light grey on black, UTF-8, a Latin monospaced
            // font with a CJK font for the double-width characters.
            arguments.insert(arguments.end(),
                             {"-u8", "-fa", "DejaVu Sans Mono", "-fd", "Noto Sans Mono CJK SC",
                              "-fs", "11", "-bg", "black", "-fg", "#C0C0C0", "-geometry", "90x28",
                              "-sl", "2000", "-T", "cmd"});
            if (mode == launch::WindowMode::Minimized) {
                arguments.emplace_back("-iconic");
            }
        }
        arguments.emplace_back("-e");
    }
    arguments.push_back(interpreterPath);
    arguments.push_back(call.switchText);
    arguments.push_back(call.text);
    return arguments;
}

} // namespace kavu::platform
