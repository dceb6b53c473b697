#include "run_helper.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kavu::console::testing {

namespace fs = std::filesystem;

namespace {

// Prints its name and then each argument in brackets, one a line; "adb exit N" ends with N.
constexpr const char* kFakeTool = R"(#!/bin/sh
if [ "$1" = exit ]; then exit "$2"; fi
echo "${0##*/}"
for a in "$@"; do printf '[%s]\n' "$a"; done
)";

// Records the file it was asked to open.
constexpr const char* kFakeOpener = R"(#!/bin/sh
printf '%s\n' "$1" >> "${0%/*}/opened.txt"
)";

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe");
        }
        read = ends[0];
        write = ends[1];
    }
};

} // namespace

std::vector<std::string> environmentWithPath(const std::string& path) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).substr(0, 5) != "PATH=") {
            env.emplace_back(*e);
        }
    }
    env.push_back("PATH=" + path);
    return env;
}

Sandbox::Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "kavu-cmd-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp");
    }
    m_root = pattern;
    m_work = m_root / "work";
    m_bin = m_root / "bin";
    fs::create_directories(m_work);
    fs::create_directories(m_bin);
    writeFile(m_bin / "adb", kFakeTool, true);
    writeFile(m_bin / "fastboot", kFakeTool, true);
    writeFile(m_bin / "xdg-open", kFakeOpener, true);
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void Sandbox::writeFile(const fs::path& path, const std::string& content, bool executable) const {
    std::ofstream(path, std::ios::binary) << content;
    fs::permissions(path, executable ? fs::perms::owner_all
                                     : fs::perms::owner_read | fs::perms::owner_write);
}

std::string Sandbox::readFile(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> Sandbox::workEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_work)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

RunResult Sandbox::run(const std::string& mode, const std::string& text,
                       const std::string& input) const {
    Pipe in;
    Pipe out;
    Pipe err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write, 1);
    posix_spawn_file_actions_adddup2(&actions, err.write, 2);
    posix_spawn_file_actions_addchdir_np(&actions, m_work.c_str());

    std::vector<std::string> args{KAVU_CMD_PATH, mode, text};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> env = environmentWithPath(m_bin.string() + ":/usr/bin:/bin");
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, KAVU_CMD_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in.read);
    ::close(out.write);
    ::close(err.write);
    if (spawned != 0) {
        ::close(in.write);
        ::close(out.read);
        ::close(err.read);
        throw std::runtime_error("posix_spawn");
    }
    // The input is small; a pipe holds it whole.
    std::string_view pending = input;
    while (!pending.empty()) {
        const ssize_t n = ::write(in.write, pending.data(), pending.size());
        if (n <= 0) {
            break;
        }
        pending.remove_prefix(static_cast<std::size_t>(n));
    }
    ::close(in.write);

    RunResult result;
    pollfd fds[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, 30000) <= 0) {
            break; // a hang: the test fails on the missing output
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& p : fds) {
        if (p.fd >= 0) {
            ::close(p.fd);
            ::kill(pid, SIGKILL);
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace kavu::console::testing
