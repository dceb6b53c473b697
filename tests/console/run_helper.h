#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs the real kavu-cmd in a throw-away folder that holds fake adb, fastboot and xdg-open
// programs, and captures what it prints.
namespace kavu::console::testing {

struct RunResult {
    std::string out;
    std::string err;
    int status = -1; // exit status, or -1 when it did not exit normally
};

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // The folder kavu-cmd starts in.
    const std::filesystem::path& work() const { return m_work; }
    // The folder of the fake programs, first in PATH.
    const std::filesystem::path& bin() const { return m_bin; }

    // kavu-cmd mode text, with input on its standard input.
    RunResult run(const std::string& mode, const std::string& text,
                  const std::string& input = {}) const;

    void writeFile(const std::filesystem::path& path, const std::string& content,
                   bool executable) const;
    std::string readFile(const std::filesystem::path& path) const;
    // The names in the work folder, sorted.
    std::vector<std::string> workEntries() const;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_work;
    std::filesystem::path m_bin;
};

// Environment for a child: the current one with PATH replaced.
std::vector<std::string> environmentWithPath(const std::string& path);

} // namespace kavu::console::testing
