#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/builtins.h"
#include "console/line_parser.h"
#include "console/messages.h"
#include "console/process.h"
#include "console/terminal.h"
#include "console/variables.h"

// Runs interpreter lines: expands %NAME%, splits the line, runs its pipelines in order (each
// after "&&" only on success, after "||" only on failure), with builtins in the interpreter
// itself and everything else as child processes.
namespace kavu::console {

struct InterpreterSetup {
    std::string currentFolder; // absolute
    std::string searchPath;    // PATH, folders separated by ":"
    Terminal terminal;
    VariableLookup environment; // the process environment; may be empty
    const Messages* messages = &kChineseMessages;
};

class Interpreter {
public:
    explicit Interpreter(InterpreterSetup setup);

    // Runs one line and returns the status (ERRORLEVEL) after it.
    int runLine(std::string_view line);

    int status() const { return m_status; }
    bool exitRequested() const { return m_exitCode.has_value(); }
    int exitCode() const { return m_exitCode.value_or(m_status); }
    bool echoOn() const { return m_echoOn; }
    const std::string& currentFolder() const { return m_folder; }

    // True when name is a program the search finds (for the leading-quote rule).
    bool namesProgram(const std::string& name) const;

    // Gives the terminal its colours back.
    void finish() { m_terminal.restore(); }

private:
    std::optional<std::string> lookup(std::string_view name) const;
    std::optional<int> runPipeline(const Pipeline& pipeline);
    std::optional<int> runSingle(const Command& command);
    int runStages(const std::vector<Command>& commands);
    bool openRedirections(const Command& command, StdHandles& handles,
                          std::vector<Descriptor>& opened, int errFd);
    std::optional<int> runBuiltin(const BuiltinCall& call, const StdHandles& handles);
    int runExternal(std::string_view text, const StdHandles& handles);
    int openDocument(const std::string& path, const StdHandles& handles);
    int changeFolder(std::string_view rest, const StdHandles& handles);
    int filterLines(std::string_view rest, const StdHandles& handles);

    std::string m_folder;
    std::string m_searchPath;
    Terminal m_terminal;
    VariableLookup m_environment;
    const Messages& m_messages;
    int m_status = 0;
    bool m_echoOn = true;
    std::optional<int> m_exitCode;
};

} // namespace kavu::console
