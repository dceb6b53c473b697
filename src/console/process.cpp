#include "console/process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kavu::console {

namespace {

// In the child: places the handles on 0, 1 and 2 and closes everything else but keep.
void placeHandles(const StdHandles& handles, int keep = -1) {
    const int wanted[3] = {handles.in, handles.out, handles.err};
    int lifted[3] = {-1, -1, -1};
    // Lift first so that swapped handles (1>&2 2>&1) do not overwrite each other.
    for (int i = 0; i < 3; ++i) {
        lifted[i] = ::fcntl(wanted[i], F_DUPFD, 10);
    }
    for (int i = 0; i < 3; ++i) {
        if (lifted[i] >= 0) {
            ::dup2(lifted[i], i);
        } else {
            ::close(i);
        }
    }
    if (keep >= 3) {
        if (keep > 3) {
            ::close_range(3, static_cast<unsigned>(keep) - 1, 0);
        }
        ::close_range(static_cast<unsigned>(keep) + 1, ~0U, 0);
    } else {
        ::close_range(3, ~0U, 0);
    }
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGQUIT, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
}

} // namespace

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        reset();
        m_fd = other.release();
    }
    return *this;
}

Descriptor::~Descriptor() {
    reset();
}

int Descriptor::release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void Descriptor::reset() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

pid_t startProgram(const std::string& program, const std::vector<std::string>& argv,
                   const StdHandles& handles, const std::string& folder, std::string& error) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    // A pipe that closes on a successful exec tells the parent whether the program started.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return -1;
    }
    if (pid == 0) {
        placeHandles(handles, report[1]);
        if (::chdir(folder.c_str()) != 0) {
            // The folder vanished under the interpreter; the program runs where it starts.
        }
        ::execv(program.c_str(), args.data());
        const int code = errno;
        writeAll(report[1], std::string_view(reinterpret_cast<const char*>(&code), sizeof code));
        ::_exit(127);
    }
    ::close(report[1]);
    int code = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof code)) {
        waitForChild(pid);
        error = std::strerror(code);
        return -1;
    }
    return pid;
}

pid_t startFunction(const std::function<int()>& body, const StdHandles& handles) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        placeHandles(handles);
        ::_exit(body() & 0xff);
    }
    return pid;
}

int waitForChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return 1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return 1;
}

} // namespace kavu::console
