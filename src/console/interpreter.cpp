#include "console/interpreter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "console/arguments.h"
#include "console/color.h"
#include "console/findstr.h"
#include "console/messages.h"
#include "console/program_search.h"
#include "console/text.h"

namespace kavu::console {

namespace {

void say(int fd, std::string_view text) {
    std::string line(text);
    line += '\n';
    writeAll(fd, line);
}

// "nul" in any case (with or without a colon) is the null device, as on Windows.
bool isNullDevice(std::string_view name) {
    return equalsIgnoringCase(name, "nul") || equalsIgnoringCase(name, "nul:");
}

std::string_view openFailure(const Messages& messages, int error, bool reading) {
    if (error == EACCES || error == EPERM || error == EISDIR) {
        return messages.accessDenied;
    }
    return reading ? messages.fileNotFound : messages.pathNotFound;
}

int& handleSlot(StdHandles& handles, int fd) {
    return fd == 0 ? handles.in : (fd == 1 ? handles.out : handles.err);
}

} // namespace

Interpreter::Interpreter(InterpreterSetup setup)
    : m_folder(std::move(setup.currentFolder))
    , m_searchPath(std::move(setup.searchPath))
    , m_terminal(std::move(setup.terminal))
    , m_environment(std::move(setup.environment))
    , m_messages(*setup.messages) {}

bool Interpreter::namesProgram(const std::string& name) const {
    return findTarget(name, m_folder, m_searchPath).kind == TargetKind::Program;
}

std::optional<std::string> Interpreter::lookup(std::string_view name) const {
    if (equalsIgnoringCase(name, "errorlevel")) {
        return std::to_string(m_status);
    }
    if (equalsIgnoringCase(name, "cd")) {
        return m_folder;
    }
    return m_environment ? m_environment(name) : std::nullopt;
}

int Interpreter::runLine(std::string_view line) {
    const std::string expanded =
        expandVariables(line, [this](std::string_view name) { return lookup(name); });
    const ParsedLine parsed = parseLine(expanded, m_messages);
    if (!parsed.error.empty()) {
        say(2, parsed.error);
        m_status = 1;
        return m_status;
    }
    // Whether the last command that ran succeeded: PAUSE succeeds without touching the status.
    bool succeeded = true;
    for (const Pipeline& pipeline : parsed.pipelines) {
        if ((pipeline.joiner == Joiner::IfSuccess && !succeeded) ||
            (pipeline.joiner == Joiner::IfFailure && succeeded)) {
            continue;
        }
        const std::optional<int> status = runPipeline(pipeline);
        if (status) {
            m_status = *status;
        }
        succeeded = !status || *status == 0;
        if (m_exitCode) {
            break;
        }
    }
    return m_status;
}

std::optional<int> Interpreter::runPipeline(const Pipeline& pipeline) {
    if (pipeline.commands.size() == 1) {
        return runSingle(pipeline.commands.front());
    }
    return runStages(pipeline.commands);
}

bool Interpreter::openRedirections(const Command& command, StdHandles& handles,
                                   std::vector<Descriptor>& opened, int errFd) {
    for (const Redirection& r : command.redirections) {
        if (r.fd > 2) {
            continue; // only the three standard handles exist here
        }
        if (r.kind == RedirectionKind::Duplicate) {
            const int from = r.target.front() - '0';
            if (from <= 2) {
                handleSlot(handles, r.fd) = handleSlot(handles, from);
            }
            continue;
        }
        const std::string path =
            isNullDevice(r.target) ? std::string("/dev/null") : resolveIn(m_folder, r.target);
        int flags = O_CLOEXEC;
        switch (r.kind) {
        case RedirectionKind::Read:
            flags |= O_RDONLY;
            break;
        case RedirectionKind::Write:
            flags |= O_WRONLY | O_CREAT | O_TRUNC;
            break;
        case RedirectionKind::Append:
            flags |= O_WRONLY | O_CREAT | O_APPEND;
            break;
        case RedirectionKind::Duplicate:
            break;
        }
        const int fd = ::open(path.c_str(), flags, 0666);
        if (fd < 0) {
            say(errFd, openFailure(m_messages, errno, r.kind == RedirectionKind::Read));
            return false;
        }
        opened.emplace_back(fd);
        handleSlot(handles, r.fd) = fd;
    }
    return true;
}

std::optional<int> Interpreter::runSingle(const Command& command) {
    StdHandles handles;
    std::vector<Descriptor> opened;
    if (!openRedirections(command, handles, opened, 2)) {
        return 1;
    }
    if (command.text.empty()) {
        return 0; // only a redirection: the file is created, nothing runs
    }
    if (const std::optional<BuiltinCall> call = matchBuiltin(command.text)) {
        return runBuiltin(*call, handles);
    }
    return runExternal(command.text, handles);
}

int Interpreter::runStages(const std::vector<Command>& commands) {
    std::vector<pid_t> children;
    int lastStatus = 0;
    Descriptor upstream; // read end of the pipe from the previous stage
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const Command& command = commands[i];
        const bool last = i + 1 == commands.size();
        Descriptor readEnd;
        Descriptor writeEnd;
        if (!last) {
            int ends[2];
            if (::pipe2(ends, O_CLOEXEC) != 0) {
                say(2, std::strerror(errno));
                lastStatus = 1;
                break;
            }
            readEnd = Descriptor(ends[0]);
            writeEnd = Descriptor(ends[1]);
        }
        StdHandles handles;
        handles.in = upstream.get() >= 0 ? upstream.get() : 0;
        handles.out = last ? 1 : writeEnd.get();
        std::vector<Descriptor> opened;
        int status = 0;
        pid_t pid = -1;
        if (!openRedirections(command, handles, opened, 2)) {
            status = 1;
        } else if (command.text.empty()) {
            status = 0;
        } else if (const std::optional<BuiltinCall> call = matchBuiltin(command.text)) {
            // The builtin runs in a child of its own, as every stage of a pipe does.
            pid = startFunction(
                [&] {
                    const StdHandles standard;
                    return runBuiltin(*call, standard).value_or(0);
                },
                handles);
        } else {
            const ProgramWords words = splitProgramName(command.text);
            const Target target = findTarget(words.name, m_folder, m_searchPath);
            if (target.kind == TargetKind::Program) {
                std::vector<std::string> argv{words.name};
                for (std::string& arg : splitArguments(words.rest)) {
                    argv.push_back(std::move(arg));
                }
                std::string error;
                pid = startProgram(target.path, argv, handles, m_folder, error);
                if (pid < 0) {
                    say(2, words.name + ": " + error);
                    status = 1;
                }
            } else {
                status = runExternal(command.text, handles);
            }
        }
        if (pid > 0) {
            children.push_back(pid);
        }
        if (last) {
            lastStatus = pid > 0 ? -1 : status;
        }
        upstream = std::move(readEnd);
    }
    upstream.reset();
    int status = lastStatus;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const int childStatus = waitForChild(children[i]);
        if (i + 1 == children.size() && lastStatus < 0) {
            status = childStatus;
        }
    }
    return status < 0 ? 0 : status;
}

std::optional<int> Interpreter::runBuiltin(const BuiltinCall& call, const StdHandles& handles) {
    switch (call.which) {
    case Builtin::Echo: {
        const EchoAction action = parseEcho(call.rest);
        switch (action.kind) {
        case EchoAction::Kind::Print:
            say(handles.out, action.text);
            break;
        case EchoAction::Kind::ShowState:
            say(handles.out, m_echoOn ? m_messages.echoOn : m_messages.echoOff);
            break;
        case EchoAction::Kind::TurnOn:
            m_echoOn = true;
            break;
        case EchoAction::Kind::TurnOff:
            m_echoOn = false;
            break;
        }
        return 0;
    }
    case Builtin::Title:
        m_terminal.setTitle(titleText(call.rest));
        return 0;
    case Builtin::Color: {
        const ColorRequest request = parseColor(call.rest);
        switch (request.kind) {
        case ColorRequest::Kind::Set:
            m_terminal.setColors(request.background, request.foreground);
            return 0;
        case ColorRequest::Kind::Reset:
            m_terminal.resetColors();
            return 0;
        case ColorRequest::Kind::Same:
            return 1;
        case ColorRequest::Kind::Invalid:
            say(handles.err, m_messages.badColor);
            return 1;
        }
        return 1;
    }
    case Builtin::Pause:
        waitForKey(handles.in, [&] { writeAll(handles.out, m_messages.pausePrompt); });
        writeAll(handles.out, "\n");
        return std::nullopt;
    case Builtin::Exit:
        m_exitCode = parseExitCode(call.rest);
        return *m_exitCode;
    case Builtin::Cd:
        return changeFolder(call.rest, handles);
    case Builtin::Cls:
        writeAll(handles.out, ::isatty(handles.out) == 1 ? "\033[H\033[2J\033[3J" : "\f");
        return 0;
    case Builtin::Findstr:
        return filterLines(call.rest, handles);
    case Builtin::Reg:
        say(handles.err, m_messages.noRegistry);
        return 1;
    }
    return 1;
}

int Interpreter::changeFolder(std::string_view rest, const StdHandles& handles) {
    const std::string target = cdTarget(rest);
    if (target.empty()) {
        say(handles.out, m_folder);
        return 0;
    }
    std::filesystem::path path =
        std::filesystem::path(resolveIn(m_folder, target)).lexically_normal();
    std::string folder = path.string();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        say(handles.err, m_messages.pathNotFound);
        return 1;
    }
    m_folder = folder;
    return 0;
}

int Interpreter::filterLines(std::string_view rest, const StdHandles& handles) {
    FindstrQuery query = parseFindstr(rest);
    if (query.words.empty()) {
        say(handles.err, m_messages.findstrUsage);
        return 2;
    }
    LineFilter filter(std::move(query));
    char buffer[4096];
    while (true) {
        const ssize_t n = ::read(handles.in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        writeAll(handles.out, filter.feed(std::string_view(buffer, static_cast<std::size_t>(n))));
    }
    writeAll(handles.out, filter.finish());
    return filter.matchedAny() ? 0 : 1;
}

int Interpreter::runExternal(std::string_view text, const StdHandles& handles) {
    const ProgramWords words = splitProgramName(text);
    const Target target = findTarget(words.name, m_folder, m_searchPath);
    switch (target.kind) {
    case TargetKind::NotFound:
        say(handles.err, m_messages.notFound(words.name));
        return kNotFoundStatus;
    case TargetKind::Document:
        return openDocument(target.path, handles);
    case TargetKind::Program:
        break;
    }
    std::vector<std::string> argv{words.name};
    for (std::string& arg : splitArguments(words.rest)) {
        argv.push_back(std::move(arg));
    }
    std::string error;
    const pid_t pid = startProgram(target.path, argv, handles, m_folder, error);
    if (pid < 0) {
        say(handles.err, words.name + ": " + error);
        return 1;
    }
    return waitForChild(pid);
}

int Interpreter::openDocument(const std::string& path, const StdHandles& handles) {
    const std::optional<std::string> opener = findInSearchPath("xdg-open", m_searchPath);
    if (!opener) {
        say(handles.err, m_messages.noOpener);
        return 1;
    }
    std::string error;
    // xdg-open hands the file to the desktop's handler and returns at once.
    const pid_t pid = startProgram(*opener, {"xdg-open", path}, handles, m_folder, error);
    if (pid < 0) {
        say(handles.err, "xdg-open: " + error);
        return 1;
    }
    return waitForChild(pid);
}

} // namespace kavu::console
