#include "platform/process_starter.h"
#include "platform/process_starter_posix.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kavu {
namespace {

using namespace std::chrono_literals;

// The threads of this process.
std::set<int> threadIds() {
    std::set<int> ids;
    for (const QString& entry :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        ids.insert(entry.toInt());
    }
    return ids;
}

// What a thread of this process has done so far: processor time in clock ticks and how often it
// gave up the processor (to sleep or preempted). A thread asleep changes none of them.
struct Activity {
    long long userTicks = -1;
    long long systemTicks = -1;
    long long voluntarySwitches = -1;
    long long preemptedSwitches = -1;

    bool operator==(const Activity&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Activity& activity) {
    return out << "user " << activity.userTicks << " system " << activity.systemTicks
               << " voluntary " << activity.voluntarySwitches << " preempted "
               << activity.preemptedSwitches;
}

Activity activityOf(int thread) {
    Activity activity;
    const std::string task = "/proc/self/task/" + std::to_string(thread);
    std::ifstream stat(task + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t paren = text.rfind(')');
    if (paren != std::string::npos) {
        // After the name: state, then fields 4 to 13; utime and stime are fields 14 and 15.
        std::istringstream fields(text.substr(paren + 2));
        std::string skipped;
        for (int field = 3; field <= 13; ++field) {
            fields >> skipped;
        }
        fields >> activity.userTicks >> activity.systemTicks;
    }
    std::ifstream status(task + "/status");
    std::string key;
    while (status >> key) {
        if (key == "voluntary_ctxt_switches:") {
            status >> activity.voluntarySwitches;
        } else if (key == "nonvoluntary_ctxt_switches:") {
            status >> activity.preemptedSwitches;
        }
    }
    return activity;
}

// The children of the calling thread (the one that starts the runs), zombies included.
struct Children {
    int running = 0;
    int zombies = 0;
};

Children childrenOfThisThread() {
    Children children;
    const auto self = static_cast<int>(syscall(SYS_gettid));
    std::ifstream list("/proc/self/task/" + std::to_string(self) + "/children");
    int pid = 0;
    while (list >> pid) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text;
        try {
            text.assign(std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>());
        } catch (const std::ios_base::failure&) {
            continue; // reaped between the listing and the read: the read fails with ESRCH
        }
        const std::size_t paren = text.rfind(')');
        if (paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z') {
            ++children.zombies;
        } else if (!text.empty()) {
            ++children.running;
        }
    }
    return children;
}

// A descriptor of the test's own and the file it was opened on.
struct OwnDescriptor {
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;

    bool stillOurs() const {
        struct stat st {};
        return ::fstat(fd, &st) == 0 && st.st_dev == device && st.st_ino == inode;
    }
};

OwnDescriptor openOwn(const std::string& path) {
    OwnDescriptor own;
    own.fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    struct stat st {};
    if (own.fd >= 0 && ::fstat(own.fd, &st) == 0) {
        own.device = st.st_dev;
        own.inode = st.st_ino;
    }
    return own;
}

// A temporary folder that is the working directory while the test runs, holding a helper script
// that reports what it inherited.
class StarterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
        writeScript(QStringLiteral("report"),
                    "#!/bin/sh\n"
                    "ls -l /proc/$$/fd/ > fds.txt\n"
                    "ls -l /proc/$PPID/fd/ > interpreter-fds.txt\n"
                    "if [ -t 0 ]; then echo tty; else echo notty; fi > stdin.txt\n"
                    "readlink /proc/$$/fd/0 >> stdin.txt\n"
                    "ps -o sid= -p $$ > sid.txt\n"
                    "echo done > done.txt\n");
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    void writeScript(const QString& name, const char* body) {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString read(const QString& name) {
        QFile file(m_folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    }

    bool waitFor(const QString& name) {
        for (int i = 0; i < 500; ++i) {
            if (QFile::exists(m_folder.filePath(name))) {
                std::this_thread::sleep_for(50ms);
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    QTemporaryDir m_folder;
    QString m_previous;
    QStringList m_reports;
    SystemProcessStarter m_starter{QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                   [this](const QString& message) { m_reports.append(message); }};
};

TEST_F(StarterTest, HiddenRunIsDetachedWithNothingInherited) {
    // A descriptor of ours without close-on-exec must not reach the child, nor may the pipes
    // the test runner gave us.
    const QString marker = m_folder.filePath(QStringLiteral("leak-marker"));
    const int leaked = ::open(marker.toLocal8Bit().constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(leaked, 3);
    m_starter.start(QStringLiteral("cmd /c report"), launch::WindowMode::Hidden, {});
    ::close(leaked);

    ASSERT_TRUE(waitFor(QStringLiteral("done.txt")));
    // The script's shell keeps its own descriptor on the script; anything else is inherited.
    // Its errors go into our pipe (its output into the file), and so may the shell's own copy.
    QString fds = read(QStringLiteral("fds.txt"));
    const qsizetype ours = fds.indexOf(QStringLiteral(" 2 -> pipe:"));
    ASSERT_GE(ours, 0) << fds.toStdString();
    const QString ourPipe = fds.mid(ours + 6).section(u'\n', 0, 0);
    fds.replace(ourPipe, QStringLiteral("our pipe"));
    EXPECT_FALSE(fds.contains(QStringLiteral("leak-marker"))) << fds.toStdString();
    EXPECT_FALSE(fds.contains(QStringLiteral("pipe:"))) << fds.toStdString();
    EXPECT_FALSE(fds.contains(QStringLiteral("socket:"))) << fds.toStdString();
    EXPECT_TRUE(fds.contains(QStringLiteral("0 -> /dev/null"))) << fds.toStdString();
    // The interpreter itself (the script's parent) got nothing of ours either.
    const QString interpreterFds = read(QStringLiteral("interpreter-fds.txt"));
    EXPECT_FALSE(interpreterFds.isEmpty());
    EXPECT_FALSE(interpreterFds.contains(QStringLiteral("leak-marker")))
        << interpreterFds.toStdString();
    EXPECT_TRUE(read(QStringLiteral("stdin.txt")).startsWith(QStringLiteral("notty\n/dev/null")));
    // A session of its own, not ours.
    EXPECT_NE(read(QStringLiteral("sid.txt")).toInt(), getsid(0));
    EXPECT_TRUE(m_reports.isEmpty());
}

// How a hidden run ended reaches the event loop: its exit code and the last kRunOutputTail bytes
// of its output and errors. It wrote more than a pipe holds, so it was read while it ran.
TEST_F(StarterTest, HiddenRunReportsItsExitCodeAndTheEndOfItsOutput) {
    int argc = 0;
    char* argv[] = {nullptr};
    QCoreApplication application(argc, argv);
    writeScript(QStringLiteral("chatty"), "#!/bin/sh\n"
                                          "head -c 100000 /dev/zero | tr '\\0' a\n"
                                          "echo last words >&2\n"
                                          "exit 3\n");
    std::optional<RunEnd> end;
    m_starter.start(QStringLiteral("cmd /c chatty"), launch::WindowMode::Hidden, {},
                    [&end](const RunEnd& ended) { end = ended; });
    for (int round = 0; round < 1000 && !end; ++round) {
        std::this_thread::sleep_for(10ms);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->exitCode, 3);
    EXPECT_EQ(end->outputTail,
              QByteArray(kRunOutputTail - 11, 'a') + QByteArrayLiteral("last words\n"));
}

// The start's phone reaches the child as ANDROID_SERIAL in place of one of our own; with none
// the child has none. The rest of our environment goes along.
TEST_F(StarterTest, ChosenDeviceIsTheChildsSerial) {
    writeScript(QStringLiteral("serial"),
                "#!/bin/sh\necho \"${ANDROID_SERIAL-unset}|$KAVU_KEPT\" > serial.txt\n");
    setenv("ANDROID_SERIAL", "ours", 1);
    setenv("KAVU_KEPT", "kept", 1);
    struct Case {
        std::optional<QString> chosen;
        const char* seen;
    };
    for (const Case& c :
         {Case{QStringLiteral("R58M 1"), "R58M 1|kept"}, Case{std::nullopt, "unset|kept"}}) {
        QFile::remove(m_folder.filePath(QStringLiteral("serial.txt")));
        m_starter.start(QStringLiteral("cmd /c serial"), launch::WindowMode::Hidden,
                        {c.chosen, std::nullopt, {}});
        ASSERT_TRUE(waitFor(QStringLiteral("serial.txt")));
        EXPECT_EQ(read(QStringLiteral("serial.txt")).toStdString(), c.seen);
    }
    unsetenv("ANDROID_SERIAL");
    unsetenv("KAVU_KEPT");
}

// The chosen device and the chosen adb server replace the program's own; a server left unchosen
// keeps the program's ADB_SERVER_SOCKET, "this computer" drops it.
TEST(ConsoleEnvironment, ReplacesTheSerialAndServerAndDropsCaretNames) {
    const char* const own[] = {"PATH=/bin",
                               "ANDROID_SERIAL=ours",
                               "^s=&calc",
                               "^sWORD=x",
                               "ADB_SERVER_SOCKET=tcp:lab:5037",
                               "LANG=C.UTF-8",
                               "ANDROID_SERIALS=kept",
                               "A^B=kept",
                               nullptr};
    const std::vector<std::string> kept{"PATH=/bin", "LANG=C.UTF-8", "ANDROID_SERIALS=kept",
                                        "A^B=kept"};
    const auto with = [&kept](std::vector<std::string> more) {
        std::vector<std::string> entries = kept;
        entries.insert(entries.end(), more.begin(), more.end());
        return entries;
    };
    const struct {
        std::optional<std::string> chosen;
        std::optional<std::string> server;
        std::vector<std::string> expected;
    } cases[] = {
        {"R58M 1",
         std::nullopt,
         {"PATH=/bin", "ADB_SERVER_SOCKET=tcp:lab:5037", "LANG=C.UTF-8", "ANDROID_SERIALS=kept",
          "A^B=kept", "ANDROID_SERIAL=R58M 1"}},
        {std::nullopt, "", kept},
        {"R58M", "tcp:10.0.0.9:5038",
         with({"ANDROID_SERIAL=R58M", "ADB_SERVER_SOCKET=tcp:10.0.0.9:5038"})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::consoleEnvironment(own, c.chosen, c.server), c.expected);
    }
    // One of the consoles started for every device names its device in its title.
    EXPECT_EQ(platform::consoleEnvironment(own, "R58M", "", "R58M"),
              with({"ANDROID_SERIAL=R58M", "KAVU_TITLE_TAG=R58M"}));
}

// kavu-cmd writes UTF-8 and the terminal must read it so: a console never starts in another
// character set.
TEST(ConsoleEnvironment, AlwaysUtf8) {
    const struct {
        std::vector<const char*> own;
        std::vector<std::string> expected;
    } cases[] = {
        {{"PATH=/bin"}, {"PATH=/bin", "LC_CTYPE=C.UTF-8"}},
        {{"LANG=zh_CN.UTF-8"}, {"LANG=zh_CN.UTF-8"}},
        {{"LANG=C.utf8", "LC_ALL="}, {"LANG=C.utf8", "LC_ALL="}},
        {{"LC_ALL=de_DE.UTF-8@euro"}, {"LC_ALL=de_DE.UTF-8@euro"}},
        {{"LC_ALL=C", "LC_CTYPE=zh_CN.UTF-8"}, {"LC_CTYPE=zh_CN.UTF-8", "LC_ALL=C.UTF-8"}},
        {{"LC_CTYPE=POSIX", "LANG=zh_CN.UTF-8"}, {"LANG=zh_CN.UTF-8", "LC_CTYPE=C.UTF-8"}},
        {{"LANG=zh_CN.GB18030"}, {"LANG=zh_CN.GB18030", "LC_CTYPE=C.UTF-8"}},
    };
    for (const auto& c : cases) {
        std::vector<const char*> own = c.own;
        own.push_back(nullptr);
        EXPECT_EQ(platform::consoleEnvironment(own.data(), std::nullopt), c.expected)
            << c.own.front();
    }
}

// Typed phone text reaches the tool as typed even when we inherit variables that the spaces'
// "%^s" would otherwise name.
TEST_F(StarterTest, CaretVariablesDoNotReachTheConsole) {
    writeScript(QStringLiteral("adb"),
                "#!/bin/sh\nprintf '[%s]' \"$@\" > args.part\nmv args.part args.txt\n");
    setenv("^s", "&touch caret&", 1);
    setenv("^sb", "&touch caret&", 1);
    m_starter.start(QStringLiteral("cmd /c adb shell input text 'a%^sb%^s%^sc'"),
                    launch::WindowMode::Hidden, {});
    unsetenv("^s");
    unsetenv("^sb");
    ASSERT_TRUE(waitFor(QStringLiteral("args.txt")));
    EXPECT_EQ(read(QStringLiteral("args.txt")).toStdString(), "[shell][input][text]['a%sb%s%sc']");
    EXPECT_FALSE(QFile::exists(m_folder.filePath(QStringLiteral("caret"))));
}

TEST_F(StarterTest, FinishedRunsLeaveNoZombie) {
    for (int i = 0; i < 5; ++i) {
        m_starter.start(QStringLiteral("cmd /c exit %1").arg(i), launch::WindowMode::Hidden, {});
    }
    m_starter.start(QStringLiteral("cmd /c report"), launch::WindowMode::Hidden, {});
    ASSERT_TRUE(waitFor(QStringLiteral("done.txt")));
    int zombies = -1;
    for (int i = 0; i < 100 && zombies != 0; ++i) {
        std::this_thread::sleep_for(20ms);
        zombies = childrenOfThisThread().zombies;
    }
    EXPECT_EQ(zombies, 0);
}

// A hidden run gets no keyboard: a pause in it ends at once and the line goes on.
TEST_F(StarterTest, HiddenPauseEndsAtOnce) {
    m_starter.start(QStringLiteral("cmd /c echo x && pause>nul && report"),
                    launch::WindowMode::Hidden, {});
    EXPECT_TRUE(waitFor(QStringLiteral("done.txt")));
    EXPECT_FALSE(QFile::exists(m_folder.filePath(QStringLiteral("null"))));
}

// Many short hidden runs started back to back while the program opens and closes descriptors of
// its own: every child is reaped, the watcher closes only its own process descriptors, and it
// sleeps once the children are gone.
TEST_F(StarterTest, ManyHiddenRunsAreAllReapedAndLeaveOurDescriptorsAlone) {
    constexpr int kRuns = 2000;
    constexpr int kOwnDescriptors = 64;
    const std::set<int> threadsBefore = threadIds();
    SystemProcessStarter starter(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                 [this](const QString& message) { m_reports.append(message); });
    starter.start(QStringLiteral("cmd /c exit"), launch::WindowMode::Hidden, {});
    std::vector<int> watchers;
    for (const int thread : threadIds()) {
        if (threadsBefore.count(thread) == 0) {
            watchers.push_back(thread);
        }
    }
    ASSERT_EQ(watchers.size(), 1U);
    const int watcher = watchers.front();

    // One slot per file; a slot is reopened after each run so that our descriptors take the
    // numbers the watcher has just freed, as the program's own files and sockets would.
    std::vector<OwnDescriptor> own(kOwnDescriptors);
    int lost = 0;
    for (int run = 1; run < kRuns; ++run) {
        starter.start(QStringLiteral("cmd /c exit"), launch::WindowMode::Hidden, {});
        OwnDescriptor& slot = own[run % kOwnDescriptors];
        if (slot.fd >= 0) {
            if (slot.stillOurs()) {
                ::close(slot.fd);
            } else {
                ++lost; // closed behind our back; the number is someone else's now
            }
        }
        slot = openOwn(
            m_folder.filePath(QStringLiteral("own-%1").arg(run % kOwnDescriptors)).toStdString());
        ASSERT_GE(slot.fd, 0);
    }
    for (const OwnDescriptor& slot : own) {
        if (!slot.stillOurs()) {
            ++lost;
        }
    }

    // Every run ends within moments; a child left a zombie once the others are gone stays one.
    Children children = childrenOfThisThread();
    auto lastRunning = std::chrono::steady_clock::now();
    const auto deadline = lastRunning + 30s;
    while ((children.running > 0 || children.zombies > 0) &&
           std::chrono::steady_clock::now() < deadline &&
           std::chrono::steady_clock::now() - lastRunning < 2s) {
        std::this_thread::sleep_for(20ms);
        children = childrenOfThisThread();
        if (children.running > 0) {
            lastRunning = std::chrono::steady_clock::now();
        }
    }
    const Activity atEnd = activityOf(watcher);
    std::this_thread::sleep_for(1s);
    const Activity afterQuiet = activityOf(watcher);

    EXPECT_EQ(children.running, 0);
    EXPECT_EQ(children.zombies, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_NE(atEnd.userTicks, -1);
    EXPECT_EQ(afterQuiet, atEnd) << "the watcher kept waking with no child left";
    EXPECT_TRUE(m_reports.isEmpty());
}

// A click that cannot open its console says so every time, not only the first.
TEST_F(StarterTest, MissingTerminalIsReportedEachTime) {
    m_starter.start(QStringLiteral("cmd /k adb devices"), launch::WindowMode::Normal, {});
    m_starter.start(QStringLiteral("cmd /k adb devices"), launch::WindowMode::Minimized, {});
    m_starter.start(QStringLiteral("cmd /k adb devices"), launch::WindowMode::Normal, {});
    ASSERT_EQ(m_reports.size(), 3);
    for (const QString& report : m_reports) {
        EXPECT_TRUE(report.contains(QStringLiteral("xterm"))) << report.toStdString();
    }
}

TEST_F(StarterTest, MissingInterpreterIsReported) {
    SystemProcessStarter broken(m_folder.filePath(QStringLiteral("no-such-program")), std::nullopt,
                                [this](const QString& message) { m_reports.append(message); });
    broken.start(QStringLiteral("cmd /c exit"), launch::WindowMode::Hidden, {});
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports.first().contains(QStringLiteral("no-such-program")));
}

} // namespace
} // namespace kavu
