#include "platform/process_starter_posix.h"
#include "platform/process_starter.h"
#include "platform/shown_text.h"

#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <spawn.h>
#include <string_view>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kavu {

namespace platform {

namespace {

constexpr std::string_view kUtf8Locale = "C.UTF-8";

// The value of the variable name in entries ("NAME=value"); none when it is not there.
std::optional<std::string_view> valueOf(const std::vector<std::string>& entries,
                                        std::string_view name) {
    for (const std::string& entry : entries) {
        if (entry.starts_with(name) && entry.size() > name.size() && entry[name.size()] == '=') {
            return std::string_view(entry).substr(name.size() + 1);
        }
    }
    return std::nullopt;
}

// Whether a locale name ("zh_CN.UTF-8", "C.utf8", "de_DE.UTF-8@euro") names UTF-8.
bool namesUtf8(std::string_view locale) {
    const std::size_t dot = locale.find('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    std::string_view codeset = locale.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    std::string folded;
    for (const char c : codeset) {
        if (c != '-') {
            folded.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return folded == "utf8";
}

// The C library takes the character set from the first of LC_ALL, LC_CTYPE and LANG that is set
// and not empty (none: the "C" locale, ASCII).
void useUtf8(std::vector<std::string>& entries) {
    std::string_view deciding;
    for (const std::string_view name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const std::optional<std::string_view> value = valueOf(entries, name);
        if (value && !value->empty()) {
            if (namesUtf8(*value)) {
                return;
            }
            deciding = name;
            break;
        }
    }
    // LC_ALL overrides every category, so it has to change itself; otherwise LC_CTYPE is enough
    // and the language of messages and the other categories stay as they were.
    const std::string name(deciding == "LC_ALL" ? "LC_ALL" : "LC_CTYPE");
    std::erase_if(entries, [&name](const std::string& entry) {
        return entry.starts_with(name) && entry.size() > name.size() && entry[name.size()] == '=';
    });
    entries.push_back(name + '=' + std::string(kUtf8Locale));
}

} // namespace

std::vector<std::string> consoleEnvironment(const char* const* own,
                                            const std::optional<std::string>& serial,
                                            const std::optional<std::string>& serverSocket,
                                            const std::optional<std::string>& titleTag) {
    static constexpr std::string_view kSerialVariable = "ANDROID_SERIAL=";
    static constexpr std::string_view kServerVariable = "ADB_SERVER_SOCKET=";
    std::vector<std::string> entries;
    for (const char* const* entry = own; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (!text.starts_with(kSerialVariable) && !text.starts_with('^') &&
            !(serverSocket && text.starts_with(kServerVariable))) {
            entries.emplace_back(text);
        }
    }
    useUtf8(entries);
    if (serial) {
        entries.push_back(std::string(kSerialVariable) + *serial);
    }
    if (serverSocket && !serverSocket->empty()) {
        entries.push_back(std::string(kServerVariable) + *serverSocket);
    }
    if (titleTag) {
        entries.push_back("KAVU_TITLE_TAG=" + *titleTag);
    }
    return entries;
}

} // namespace platform

namespace {

std::vector<char*> pointers(const std::vector<std::string>& strings) {
    std::vector<char*> result;
    result.reserve(strings.size() + 1);
    for (const std::string& text : strings) {
        result.push_back(const_cast<char*>(text.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

// Spawns argv[0] in a session of its own with stdin on the null device, stdout and stderr on
// output (the null device when it is -1), every other descriptor closed, and the given
// environment. Returns 0 with the child's pid, or the errno of the failure.
int spawnDetached(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, int output, pid_t& pid) {
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
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

    const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

// The exit code of a status from waitpid; -1 when a signal ended the child.
int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#ifndef P_PIDFD
#define P_PIDFD 3
#endif

// Collects the ended child that pidfd refers to. True when the child is gone: collected now (its
// exit code in exitCode, -1 when a signal ended it), or already collected elsewhere (ECHILD: the
// descriptor is a process descriptor, but of no child left to wait for; exitCode -1). False when
// pidfd is not a process descriptor at all.
bool collect(pid_t pid, int pidfd, int& exitCode) {
    exitCode = -1;
    siginfo_t info{};
    for (;;) {
        if (waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(pidfd), &info, WEXITED) == 0) {
            if (info.si_code == CLD_EXITED) {
                exitCode = info.si_status;
            }
            return true;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EINVAL) {
            break; // a kernel with process descriptors but without waiting on them (5.3)
        }
        return errno == ECHILD;
    }
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, 0) == pid) {
            exitCode = exitCodeOf(status);
            return true;
        }
        if (errno != EINTR) {
            return errno == ECHILD;
        }
    }
}

// The last bytes of what a hidden run wrote, as many as its start asked to keep.
class OutputTail {
public:
    explicit OutputTail(std::size_t kept = static_cast<std::size_t>(kRunOutputTail))
        : m_kept(kept) {}

    // Reads what the descriptor holds now. False at its end or on an error: nothing more comes.
    bool readFrom(int fd) {
        char chunk[4096];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got > 0) {
                keep(std::string_view(chunk, static_cast<std::size_t>(got)));
                continue;
            }
            if (got < 0 && errno == EINTR) {
                continue;
            }
            return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
    QByteArray bytes() const {
        const std::size_t from = m_bytes.size() > m_kept ? m_bytes.size() - m_kept : 0;
        return QByteArray(m_bytes.data() + from, static_cast<qsizetype>(m_bytes.size() - from));
    }

private:
    // Up to twice what is kept is held, so that a long run's output is cut down now and then
    // rather than at every chunk.
    void keep(std::string_view more) {
        m_bytes.append(more);
        if (m_bytes.size() > 2 * m_kept) {
            m_bytes.erase(0, m_bytes.size() - m_kept);
        }
    }

    std::size_t m_kept;
    std::string m_bytes;
};

// For kernels without process descriptors: one short-lived thread per child reads its output to
// the end, then waits for it.
void waitFor(pid_t pid, int output, std::size_t kept, const ProcessStarter::RunEnded& ended) {
    OutputTail tail(kept);
    if (output >= 0) {
        fcntl(output, F_SETFL, fcntl(output, F_GETFL) & ~O_NONBLOCK);
        while (tail.readFrom(output)) {
        }
        ::close(output);
    }
    int status = 0;
    pid_t waited = 0;
    while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (ended) {
        ended({waited == pid ? exitCodeOf(status) : -1, tail.bytes()});
    }
}

} // namespace

// Collects the exit status of every child so that none is left a zombie, and the output of hidden
// runs. One thread watches a process descriptor per child and the pipe of each hidden run
// (epoll); adding a child costs a few system calls. Where the kernel has no process descriptors,
// a short-lived thread waits for each child instead.
//
// Each descriptor's entry is taken out of the set before the descriptor is closed. Closing alone
// is not enough: a child being spawned at that moment holds a copy of our descriptor table until
// it runs its program, the copy keeps the entry alive, and it would go on reporting under a number
// that is no longer the child's (a later child's descriptor, or any other descriptor of the
// program). Events carry the child's own number, never a descriptor, and an event for a child
// already gone is dropped.
//
// A hidden run is reported once it has ended: what it wrote before is in the pipe and is read
// then. What a program it left running writes later is not waited for.
class ChildReaper {
public:
    ChildReaper() {
        m_poll = epoll_create1(EPOLL_CLOEXEC);
        m_stop = eventfd(0, EFD_CLOEXEC);
        if (m_poll < 0 || m_stop < 0) {
            return;
        }
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = kStopKey;
        epoll_ctl(m_poll, EPOLL_CTL_ADD, m_stop, &event);
        m_thread = std::thread([this] { run(); });
    }

    ~ChildReaper() {
        if (m_thread.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = ::write(m_stop, &one, sizeof one);
            m_thread.join();
        }
        for (auto& [number, child] : m_children) {
            for (const int fd : {child.pidfd, child.output}) {
                if (fd >= 0) {
                    ::close(fd);
                }
            }
        }
        for (const int fd : {m_poll, m_stop}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    ChildReaper(const ChildReaper&) = delete;
    ChildReaper& operator=(const ChildReaper&) = delete;

    // output: the read end of a hidden run's pipe (non-blocking, close-on-exec), which the reaper
    // takes over, or -1; ended hears how the run ended.
    // kept: how many of the last bytes of the output are reported.
    void adopt(pid_t pid, int output, std::size_t kept, ProcessStarter::RunEnded ended) {
        const int pidfd =
            m_thread.joinable() ? static_cast<int>(syscall(SYS_pidfd_open, pid, 0)) : -1;
        if (pidfd < 0) {
            waitInThread(pid, output, kept, std::move(ended));
            return;
        }
        // pidfd_open sets close-on-exec itself. The thread handles no event of this child before
        // it is registered whole: the pipe first, so that the child's end finds it watched.
        std::unique_lock lock(m_mutex);
        const std::uint64_t number = ++m_lastNumber;
        m_children.emplace(number, Child{pid, pidfd, output, OutputTail(kept), std::move(ended)});
        epoll_event event{};
        event.events = EPOLLIN;
        bool watched = true;
        if (output >= 0) {
            event.data.u64 = (number << 1) | kOutputBit;
            watched = epoll_ctl(m_poll, EPOLL_CTL_ADD, output, &event) == 0;
        }
        if (watched) {
            event.data.u64 = number << 1;
            if (epoll_ctl(m_poll, EPOLL_CTL_ADD, pidfd, &event) != 0) {
                if (output >= 0) {
                    epoll_ctl(m_poll, EPOLL_CTL_DEL, output, nullptr);
                }
                watched = false;
            }
        }
        if (!watched) {
            Child child = take(number);
            lock.unlock();
            ::close(child.pidfd);
            waitInThread(pid, output, kept, std::move(child.ended));
        }
    }

private:
    static constexpr std::uint64_t kStopKey = ~std::uint64_t{0};
    static constexpr std::uint64_t kOutputBit = 1;

    struct Child {
        pid_t pid;
        int pidfd;
        int output;
        OutputTail tail;
        ProcessStarter::RunEnded ended;
    };

    static void waitInThread(pid_t pid, int output, std::size_t kept,
                             ProcessStarter::RunEnded ended) {
        std::thread([pid, output, kept, ended = std::move(ended)] {
            waitFor(pid, output, kept, ended);
        }).detach();
    }

    // Under m_mutex.
    Child take(std::uint64_t number) {
        auto found = m_children.find(number);
        Child child = std::move(found->second);
        m_children.erase(found);
        return child;
    }

    void run() {
        epoll_event events[16];
        for (;;) {
            const int ready = epoll_wait(m_poll, events, 16, -1);
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready < 0) {
                return;
            }
            for (int i = 0; i < ready; ++i) {
                const std::uint64_t key = events[i].data.u64;
                if (key == kStopKey) {
                    return;
                }
                std::optional<Child> gone;
                int exitCode = -1;
                {
                    const std::lock_guard lock(m_mutex);
                    const auto found = m_children.find(key >> 1);
                    if (found == m_children.end()) {
                        continue; // it ended earlier in this round
                    }
                    Child& child = found->second;
                    if ((key & kOutputBit) != 0) {
                        if (!child.tail.readFrom(child.output)) {
                            stopReading(child);
                        }
                        continue;
                    }
                    if (ended(child, exitCode)) {
                        gone = take(key >> 1);
                    }
                }
                // Outside the lock: the report may take its time.
                if (gone && gone->ended) {
                    gone->ended({exitCode, gone->tail.bytes()});
                }
            }
        }
    }

    // Under m_mutex.
    void stopReading(Child& child) {
        if (child.output >= 0 && epoll_ctl(m_poll, EPOLL_CTL_DEL, child.output, nullptr) == 0) {
            ::close(child.output);
        }
        child.output = -1;
    }

    // Under m_mutex: collects the child whose descriptor said it ended, with the rest of its
    // output. False when it cannot be collected; its entry then stays as it is.
    bool ended(Child& child, int& exitCode) {
        if (epoll_ctl(m_poll, EPOLL_CTL_DEL, child.pidfd, nullptr) != 0) {
            return false;
        }
        if (!collect(child.pid, child.pidfd, exitCode)) { // the child has ended: at once
            return false;
        }
        ::close(child.pidfd);
        child.pidfd = -1;
        if (child.output >= 0) {
            child.tail.readFrom(child.output); // what it wrote before it ended
            stopReading(child);
        }
        return true;
    }

    int m_poll = -1;
    int m_stop = -1;
    std::mutex m_mutex;
    std::uint64_t m_lastNumber = 0;
    std::map<std::uint64_t, Child> m_children;
    std::thread m_thread;
};

SystemProcessStarter::SystemProcessStarter(QString interpreterPath,
                                           std::optional<platform::Terminal> terminal,
                                           ErrorReport report)
    : m_interpreterPath(std::move(interpreterPath))
    , m_terminal(std::move(terminal))
    , m_report(std::move(report)) {}

SystemProcessStarter::~SystemProcessStarter() = default;

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

bool SystemProcessStarter::launch(const QString& line, launch::WindowMode mode,
                                  const StartEnvironment& environment, RunEnded ended) {
    if (mode != launch::WindowMode::Hidden && !m_terminal) {
        // Every time: a click that silently does nothing looks broken.
        m_report(shownText(
            KAVU_TEXT("kavu", "找不到终端程序（xterm 或 x-terminal-emulator），无法打开控制台窗口。"
                              "请先安装 xterm。")));
        return false;
    }
    const platform::InterpreterCall call = platform::parseInterpreterLine(line.toStdString());
    const std::vector<std::string> arguments =
        platform::consoleArguments(m_interpreterPath.toStdString(), call, mode, m_terminal);
    const auto utf8 = [](const std::optional<QString>& text) {
        return text ? std::optional<std::string>(text->toStdString()) : std::nullopt;
    };
    // A hidden run writes into a pipe whose far end we read; without one it writes nowhere.
    int pipeEnds[2] = {-1, -1};
    if (mode == launch::WindowMode::Hidden && pipe2(pipeEnds, O_CLOEXEC) == 0) {
        fcntl(pipeEnds[0], F_SETFL, fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    }
    pid_t pid = 0;
    const int error =
        spawnDetached(arguments,
                      platform::consoleEnvironment(
                          environ, utf8(environment.serial), utf8(environment.serverSocket),
                          environment.titleTag.isEmpty()
                              ? std::nullopt
                              : std::optional<std::string>(environment.titleTag.toStdString())),
                      pipeEnds[1], pid);
    if (pipeEnds[1] >= 0) {
        ::close(pipeEnds[1]);
    }
    if (error != 0) {
        if (pipeEnds[0] >= 0) {
            ::close(pipeEnds[0]);
        }
        m_report(shownText(KAVU_TEXT("kavu", "无法启动 %1：%2"))
                     .arg(QString::fromStdString(arguments.front()),
                          QString::fromLocal8Bit(std::strerror(error))));
        return false;
    }
    if (!m_reaper) {
        m_reaper = std::make_unique<ChildReaper>();
    }
    if (ended && mode != launch::WindowMode::Hidden) {
        // The terminal's end is the console's: its window closed.
        ended = [told = std::move(ended)](const RunEnd& end) { told({end.exitCode, {}, true}); };
    }
    m_reaper->adopt(pid, pipeEnds[0],
                    static_cast<std::size_t>(std::max<qsizetype>(environment.outputKept, 0)),
                    ended ? m_deliveries.through(std::move(ended)) : RunEnded{});
    return true;
}

} // namespace kavu
