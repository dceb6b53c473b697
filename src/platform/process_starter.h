#pragma once

#include "platform/interpreter_line.h"
#include "platform/run_deliveries.h"
#include "platform/services.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kavu {

class ChildReaper;

// Starts interpreter lines as independent processes: never waited for by the caller, reaped in
// the background so that none is left a zombie, with no descriptor of ours but the three standard
// ones. A hidden run reads the null device and writes into a pipe of ours, of which the last
// kRunOutputTail bytes are kept and reported with its exit code when it ends, in the event loop of
// the thread that made the starter. On Linux the interpreter is kavu-cmd from the program folder;
// visible consoles run it inside a terminal window.
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

    // xterm from PATH, else the desktop's x-terminal-emulator, else none.
    static std::optional<platform::Terminal> findTerminal();

protected:
    bool launch(const QString& line, launch::WindowMode mode, const StartEnvironment& environment,
                RunEnded ended) override;

private:
    QString m_interpreterPath;
    std::optional<platform::Terminal> m_terminal;
    ErrorReport m_report;
    RunDeliveries m_deliveries;
    std::unique_ptr<ChildReaper> m_reaper;
};

} // namespace kavu
