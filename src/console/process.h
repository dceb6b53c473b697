#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Starting and waiting for child processes. Children get exactly three open handles (input,
// output, error); every other descriptor of the interpreter is closed in them.
namespace kavu::console {

struct StdHandles {
    int in = 0;
    int out = 1;
    int err = 2;
};

// Writes all of text, retrying after interruptions; false when the descriptor refuses it.
bool writeAll(int fd, std::string_view text);

// A descriptor this object closes when it goes; -1 for none.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept
        : m_fd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return m_fd; }
    int release();
    void reset();

private:
    int m_fd = -1;
};

// Runs program (an absolute path) with argv in folder; returns the child's id, or -1 with a
// message in error.
pid_t startProgram(const std::string& program, const std::vector<std::string>& argv,
                   const StdHandles& handles, const std::string& folder, std::string& error);

// Runs body in a child process whose handles 0, 1 and 2 are the given ones; the child ends with
// the status body returns.
pid_t startFunction(const std::function<int()>& body, const StdHandles& handles);

// Waits for a child; its exit status, or 128 + the signal that ended it.
int waitForChild(pid_t pid);

} // namespace kavu::console
