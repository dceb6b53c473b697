#include "platform/process_starter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace kavu {
namespace {

using namespace std::chrono_literals;

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

    // Children of this process that are zombies.
    static int zombieChildren() {
        int zombies = 0;
        const QString self = QString::number(getpid());
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (!stat.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QString text = QString::fromUtf8(stat.readAll());
            const QStringList fields =
                text.mid(text.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
            if (fields.size() > 1 && fields[1] == self && fields[0] == QStringLiteral("Z")) {
                ++zombies;
            }
        }
        return zombies;
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
    m_starter.start(QStringLiteral("cmd /c report"), launch::WindowMode::Hidden);
    ::close(leaked);

    ASSERT_TRUE(waitFor(QStringLiteral("done.txt")));
    // The script's shell keeps its own descriptor on the script; anything else is inherited.
    const QString fds = read(QStringLiteral("fds.txt"));
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

TEST_F(StarterTest, FinishedRunsLeaveNoZombie) {
    for (int i = 0; i < 5; ++i) {
        m_starter.start(QStringLiteral("cmd /c exit %1").arg(i), launch::WindowMode::Hidden);
    }
    m_starter.start(QStringLiteral("cmd /c report"), launch::WindowMode::Hidden);
    ASSERT_TRUE(waitFor(QStringLiteral("done.txt")));
    int zombies = -1;
    for (int i = 0; i < 100 && zombies != 0; ++i) {
        std::this_thread::sleep_for(20ms);
        zombies = zombieChildren();
    }
    EXPECT_EQ(zombies, 0);
}

// A hidden run gets no keyboard: a pause in it ends at once and the line goes on.
TEST_F(StarterTest, HiddenPauseEndsAtOnce) {
    m_starter.start(QStringLiteral("cmd /c echo x && pause>nul && report"),
                    launch::WindowMode::Hidden);
    EXPECT_TRUE(waitFor(QStringLiteral("done.txt")));
    EXPECT_FALSE(QFile::exists(m_folder.filePath(QStringLiteral("null"))));
}

TEST_F(StarterTest, MissingTerminalIsReportedOnce) {
    m_starter.start(QStringLiteral("cmd /k adb devices"), launch::WindowMode::Normal);
    m_starter.start(QStringLiteral("cmd /k adb devices"), launch::WindowMode::Minimized);
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports.first().contains(QStringLiteral("xterm")));
}

TEST_F(StarterTest, MissingInterpreterIsReported) {
    SystemProcessStarter broken(m_folder.filePath(QStringLiteral("no-such-program")), std::nullopt,
                                [this](const QString& message) { m_reports.append(message); });
    broken.start(QStringLiteral("cmd /c exit"), launch::WindowMode::Hidden);
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports.first().contains(QStringLiteral("no-such-program")));
}

} // namespace
} // namespace kavu
