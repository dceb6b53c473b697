#pragma once

#include "console/messages.h"

#include <string>
#include <string_view>
#include <vector>

// Splits one interpreter line into pipelines and commands, the way the Windows command interpreter
// reads it: operators and redirections count only outside double quotes, a caret takes the next
// character literally, and a command keeps its trailing blanks.
namespace kavu::console {

// How a pipeline is tied to the one before it.
enum class Joiner {
    Always,    // first pipeline, "&" or a line break
    IfSuccess, // "&&"
    IfFailure, // "||"
};

enum class RedirectionKind {
    Read,      // <
    Write,     // >
    Append,    // >>
    Duplicate, // >&N: the target is the number of another handle
};

struct Redirection {
    int fd = 1;
    RedirectionKind kind = RedirectionKind::Write;
    std::string target;

    bool operator==(const Redirection&) const = default;
};

struct Command {
    // The command with escapes resolved, quotes kept, redirections taken out, leading blanks
    // dropped and trailing blanks kept.
    std::string text;
    std::vector<Redirection> redirections;

    bool operator==(const Command&) const = default;
};

// Commands joined by "|".
struct Pipeline {
    Joiner joiner = Joiner::Always;
    std::vector<Command> commands;

    bool operator==(const Pipeline&) const = default;
};

struct ParsedLine {
    std::vector<Pipeline> pipelines;
    // The interpreter's message when the line is malformed; nothing of such a line runs.
    std::string error;
};

// The error of a malformed line is worded in messages' language.
ParsedLine parseLine(std::string_view line, const Messages& messages = kChineseMessages);

} // namespace kavu::console
