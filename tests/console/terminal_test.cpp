#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "run_helper.h"

namespace kavu::console::testing {
namespace {

// kavu-cmd on a pseudo-terminal, as inside a terminal window.
class PtyRun {
public:
    PtyRun(const Sandbox& sandbox, const std::string& mode, const std::string& text) {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
            return;
        }
        const std::string slave = ::ptsname(m_master);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, slave.c_str(), O_RDWR, 0);
        posix_spawn_file_actions_adddup2(&actions, 0, 1);
        posix_spawn_file_actions_adddup2(&actions, 0, 2);
        posix_spawn_file_actions_addchdir_np(&actions, sandbox.work().c_str());
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
        std::vector<std::string> args{KAVU_CMD_PATH, mode, text};
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> env =
            environmentWithPath(sandbox.bin().string() + ":/usr/bin:/bin");
        std::vector<char*> envp;
        for (std::string& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        if (posix_spawn(&m_pid, KAVU_CMD_PATH, &actions, &attr, argv.data(), envp.data()) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }

    ~PtyRun() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_master >= 0) {
            ::close(m_master);
        }
    }

    bool started() const { return m_pid > 0; }

    // Reads until text has appeared (or, with empty text, until the terminal closes).
    bool readUntil(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (text.empty() || m_output.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 200) <= 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                m_output.append(buffer, static_cast<std::size_t>(n));
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                return text.empty(); // EIO: the last holder of the terminal has gone
            }
        }
        return true;
    }

    void type(const std::string& keys) { (void)::write(m_master, keys.data(), keys.size()); }

    int wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string& output() const { return m_output; }

private:
    int m_master = -1;
    pid_t m_pid = -1;
    std::string m_output;
};

std::size_t position(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle);
}

// A console started for each of several devices names its device in every title.
TEST(KavuCmdTerminalTest, TitlesCarryTheTag) {
    Sandbox sandbox;
    setenv("KAVU_TITLE_TAG", "R58M", 1);
    PtyRun run(sandbox, "/c", "title GLOBAL");
    unsetenv("KAVU_TITLE_TAG");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.readUntil(""));
    EXPECT_EQ(run.wait(), 0);
    const std::size_t first = position(run.output(), "\033]0;cmd - R58M\a");
    ASSERT_NE(first, std::string::npos) << run.output();
    const std::size_t second = position(run.output(), "\033]0;GLOBAL - R58M\a");
    ASSERT_NE(second, std::string::npos) << run.output();
    EXPECT_GT(second, first);
}

TEST(KavuCmdTerminalTest, TitleColourPauseAndRestore) {
    Sandbox sandbox;
    PtyRun run(sandbox, "/c",
               "title 设备连接检测结果 && COLOR 3f  && color 22 & pause && echo done && EXIT");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.readUntil("请按任意键继续. . .")) << run.output();
    run.type("k");
    ASSERT_TRUE(run.readUntil(""));
    EXPECT_EQ(run.wait(), 0);
    const std::string& out = run.output();

    const std::size_t title = position(out, "\033]0;设备连接检测结果 \a");
    const std::size_t colour = position(out, "\033]11;#008080\a\033]10;#FFFFFF\a");
    const std::size_t done = position(out, "done");
    const std::size_t restore = position(out, "\033]110\a\033]111\a");
    ASSERT_NE(title, std::string::npos) << out;
    ASSERT_NE(colour, std::string::npos) << out;
    ASSERT_NE(done, std::string::npos) << out;
    ASSERT_NE(restore, std::string::npos) << out;
    EXPECT_LT(title, colour);
    EXPECT_LT(colour, done);
    EXPECT_LT(done, restore); // the colours come back when the interpreter ends
    // Equal digits change nothing: only one colour sequence was sent.
    EXPECT_EQ(out.find("\033]11;", colour + 1), std::string::npos);
    // The key was taken in raw mode: it is not echoed.
    EXPECT_EQ(out.find('k', position(out, ". . .")), std::string::npos);
}

TEST(KavuCmdTerminalTest, NoColourChangeNoRestore) {
    Sandbox sandbox;
    PtyRun run(sandbox, "/c", "echo plain");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.readUntil(""));
    EXPECT_EQ(run.wait(), 0);
    EXPECT_NE(run.output().find("plain"), std::string::npos);
    EXPECT_EQ(run.output().find("\033]"), std::string::npos);
}

TEST(KavuCmdTerminalTest, BannerSetsTitleOnTerminal) {
    Sandbox sandbox;
    PtyRun run(
        sandbox, "/k",
        "adb devices && COLOR 3f  && title 设备连接检测结果 && echo   *** && pause>nul && EXIT");
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.readUntil("  *** ")) << run.output();
    run.type("\033[A"); // an arrow key is one key
    ASSERT_TRUE(run.readUntil(""));
    EXPECT_EQ(run.wait(), 0);
    const std::string& out = run.output();
    EXPECT_NE(out.find("[devices]"), std::string::npos) << out;
    EXPECT_NE(out.find("\033]0;设备连接检测结果 \a"), std::string::npos) << out;
    EXPECT_EQ(out.find("请按任意键继续"), std::string::npos) << out; // sent to nul
}

} // namespace
} // namespace kavu::console::testing
