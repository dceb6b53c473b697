#include "platform/process_starter.h"

#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kavu {

namespace {

// Spawns argv[0] in a session of its own with stdin/stdout/stderr on the null device and every
// other descriptor closed. Returns the child's pid or the errno of the failure.
int spawnDetached(const std::vector<std::string>& arguments, pid_t& pid) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaultSignals;
    sigfillset(&defaultSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &defaultSignals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

// The child is nobody's business but its own; a detached thread collects its exit status.
void reapInBackground(pid_t pid) {
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

SystemProcessStarter::SystemProcessStarter(QString interpreterPath,
                                           std::optional<platform::Terminal> terminal,
                                           ErrorReport report)
    : m_interpreterPath(std::move(interpreterPath))
    , m_terminal(std::move(terminal))
    , m_report(std::move(report)) {}

std::optional<platform::Terminal> SystemProcessStarter::findTerminal() {
    const QString xterm = QStandardPaths::findExecutable(QStringLiteral("xterm"));
    if (!xterm.isEmpty()) {
        return platform::Terminal{xterm.toStdString(), platform::TerminalKind::Xterm};
    }
    const QString generic = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (!generic.isEmpty()) {
        return platform::Terminal{generic.toStdString(), platform::TerminalKind::Generic};
    }
    return std::nullopt;
}

void SystemProcessStarter::start(const QString& line, launch::WindowMode mode) {
    if (mode != launch::WindowMode::Hidden && !m_terminal) {
        if (!m_missingTerminalReported) {
            m_missingTerminalReported = true;
            m_report(QStringLiteral("找不到终端程序（xterm 或 x-terminal-emulator），无法打开控制台窗口。"
                                    "请先安装 xterm。"));
        }
        return;
    }
    const platform::InterpreterCall call = platform::parseInterpreterLine(line.toStdString());
    const std::vector<std::string> arguments =
        platform::consoleArguments(m_interpreterPath.toStdString(), call, mode, m_terminal);
    pid_t pid = 0;
    if (const int error = spawnDetached(arguments, pid); error != 0) {
        m_report(QStringLiteral("无法启动 %1：%2")
                     .arg(QString::fromStdString(arguments.front()),
                          QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    reapInBackground(pid);
}

} // namespace kavu
