#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char** environ;

namespace kavu::bench {

// The least a program could do to run one of Kavu's hidden lines: a bare posix_spawn of the
// program that runs it, "PROGRAM /c LINE", with no input and its output thrown away.
class BareSpawn {
public:
    BareSpawn(std::string program, std::string line)
        : m_program(std::move(program))
        , m_line(std::move(line)) {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&m_actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&m_actions, 1, 2);
    }
    ~BareSpawn() { posix_spawn_file_actions_destroy(&m_actions); }
    BareSpawn(const BareSpawn&) = delete;
    BareSpawn& operator=(const BareSpawn&) = delete;

    // The child's id; -1 when it could not be started.
    pid_t start() {
        char* argv[] = {m_program.data(), m_switch.data(), m_line.data(), nullptr};
        pid_t pid = 0;
        return posix_spawn(&pid, m_program.c_str(), &m_actions, nullptr, argv, environ) == 0 ? pid
                                                                                             : -1;
    }

private:
    std::string m_program;
    std::string m_switch = "/c";
    std::string m_line;
    posix_spawn_file_actions_t m_actions{};
};

} // namespace kavu::bench
