#pragma once

#include "platform/interpreter_line.h"
#include "platform/services.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kavu {

class ChildReaper;

// Starts interpreter lines as independent processes: never waited for by the caller, reaped in
// the background so that none is left a zombie, with no descriptor of ours but the three standard
// ones (all on the null device for a hidden run). On Linux the interpreter is kavu-cmd from the
// program folder; visible consoles run it inside a terminal window.
class SystemProcessStarter final : public ProcessStarter {
public:
    using ErrorReport = std::function<void(const QString& message)>;

    // interpreterPath: the kavu-cmd executable; terminal: the terminal program, if one was found;
    // report: how a failure to start reaches the user.
    SystemProcessStarter(QString interpreterPath, std::optional<platform::Terminal> terminal,
                         ErrorReport report);
    ~SystemProcessStarter() override;
    SystemProcessStarter(const SystemProcessStarter&) = delete;
    SystemProcessStarter& operator=(const SystemProcessStarter&) = delete;

    void start(const QString& line, launch::WindowMode mode) override;

    // xterm from PATH, else the desktop's x-terminal-emulator, else none.
    static std::optional<platform::Terminal> findTerminal();

private:
    QString m_interpreterPath;
    std::optional<platform::Terminal> m_terminal;
    ErrorReport m_report;
    std::unique_ptr<ChildReaper> m_reaper;
};

} // namespace kavu
