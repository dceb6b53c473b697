#include "console/session.h"

#include <cerrno>
#include <unistd.h>

#include "console/quote_rule.h"
#include "console/text.h"

namespace kavu::console {

Invocation parseInvocation(const std::vector<std::string>& args) {
    Invocation invocation;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (equalsIgnoringCase(arg, "/c") || equalsIgnoringCase(arg, "/k")) {
            invocation.keepOpen = equalsIgnoringCase(arg, "/k");
            ++i;
            break;
        }
        if (arg.empty() || arg.front() != '/') {
            break; // text without a switch runs like /k
        }
    }
    for (std::size_t first = i; i < args.size(); ++i) {
        if (i > first) {
            invocation.text += ' ';
        }
        invocation.text += args[i];
    }
    return invocation;
}

std::optional<std::string> readLine(int fd) {
    std::string line;
    char c = 0;
    while (true) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0) {
            if (errno == EINTR) {
                return std::string();
            }
            break;
        }
        if (n == 0) {
            break;
        }
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
        line += c;
    }
    if (line.empty()) {
        return std::nullopt;
    }
    return line;
}

int runSession(Interpreter& interpreter, const Invocation& invocation, int input, int output) {
    const std::string first =
        applyLeadingQuoteRule(skipLeadingBlanks(invocation.text), [&](const std::string& name) {
            return interpreter.namesProgram(name);
        });
    interpreter.runLine(first);
    while (invocation.keepOpen && !interpreter.exitRequested()) {
        if (interpreter.echoOn()) {
            writeAll(output, "\n" + interpreter.currentFolder() + ">");
        }
        const std::optional<std::string> line = readLine(input);
        if (!line) {
            break;
        }
        interpreter.runLine(*line);
    }
    interpreter.finish();
    return interpreter.exitCode();
}

} // namespace kavu::console
