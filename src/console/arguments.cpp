#include "console/arguments.h"

#include "console/text.h"

namespace kavu::console {

ProgramWords splitProgramName(std::string_view command) {
    ProgramWords words;
    std::size_t i = 0;
    while (i < command.size() && isBlank(command[i])) {
        ++i;
    }
    bool quoted = false;
    for (; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && isBlank(c)) {
            break;
        } else {
            words.name += c;
        }
    }
    words.rest = std::string(command.substr(i));
    return words;
}

std::vector<std::string> splitArguments(std::string_view rest) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = rest.size();
    while (true) {
        while (i < n && isBlank(rest[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::string arg;
        bool quoted = false;
        while (i < n) {
            std::size_t slashes = 0;
            while (i < n && rest[i] == '\\') {
                ++slashes;
                ++i;
            }
            bool copy = true;
            if (i < n && rest[i] == '"') {
                if (slashes % 2 == 0) {
                    if (quoted && i + 1 < n && rest[i + 1] == '"') {
                        ++i; // "" inside quotes: one literal quote
                    } else {
                        copy = false;
                        quoted = !quoted;
                    }
                }
                slashes /= 2;
            }
            arg.append(slashes, '\\');
            if (i >= n || (!quoted && isBlank(rest[i]))) {
                break;
            }
            if (copy) {
                arg += rest[i];
            }
            ++i;
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace kavu::console
