#pragma once

#include "app/app.h"
#include "platform/services.h"
#include "shell/form1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <dirent.h>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

// Services that do nothing, for benchmarks that measure a window and not the world it acts on.
namespace kavu::bench {

class NoProcesses final : public ProcessStarter {
protected:
    bool launch(const QString&, launch::WindowMode, const StartEnvironment&, RunEnded) override {
        return true;
    }
};
class NoMessages final : public MessageBoxes {
public:
    void show(const QString&, const QString&, MessageIcon) override {}
};
class NoPause final : public Pause {
public:
    void sleep(int) override {}
};
class NoRandom final : public RandomSource {
public:
    double next() override { return 0; }
};
class NoBrowser final : public Browser {
public:
    void open(const QString&) override {}
};
class Folder final : public ProgramEnvironment {
public:
    QString programFolder() const override { return path; }
    void quit() override {}
    QString path;
};

// A temporary program folder holding the tool files the start-up check looks for, and an App on
// services that do nothing; its lines go to the starter given, or nowhere.
// Counts the processes the program starts, and starts them through another starter: a benchmark
// of launches checks that it launched something.
class CountingStarter final : public ProcessStarter {
public:
    explicit CountingStarter(ProcessStarter& inner)
        : m_inner(inner) {}
    int started = 0;

protected:
    bool launch(const QString& line, launch::WindowMode mode, const StartEnvironment& environment,
                RunEnded ended) override {
        const bool ok = m_inner.start(line, mode, environment, std::move(ended));
        started += ok ? 1 : 0;
        return ok;
    }

private:
    ProcessStarter& m_inner;
};

class InertWorld {
public:
    explicit InertWorld(ProcessStarter* processes = nullptr)
        : m_processes(processes != nullptr ? *processes : m_noProcesses) {
        m_environment.path = m_folder.path();
        for (const char* tool : {"adb", "fastboot", "kavu-cmd"}) {
            QFile file(QDir(m_folder.path()).filePath(QString::fromLatin1(tool)));
            // The start-up check wants tool files it may run.
            m_ready = file.open(QIODevice::WriteOnly) &&
                      file.setPermissions(file.permissions() | QFile::ExeOwner) && m_ready;
        }
        useForm1AsMainWindow(m_app);
    }
    // False when the folder or a tool file could not be made.
    bool ready() const { return m_ready && m_folder.isValid(); }
    QString folder() const { return m_folder.path(); }
    App& app() { return m_app; }

private:
    QTemporaryDir m_folder;
    NoProcesses m_noProcesses;
    ProcessStarter& m_processes;
    NoMessages m_messages;
    NoPause m_pause;
    NoRandom m_random;
    NoBrowser m_browser;
    Folder m_environment;
    bool m_ready = true;
    App m_app{{m_processes, m_messages, m_pause, m_random, m_browser, m_environment}};
};

// Runs the event loop until done() holds or timeoutMs passed; whether it holds.
// It sleeps between events (processEvents with a time limit would spin instead) and looks at the
// condition after each event and every pollMs (never, with 0): a processor figure taken across it
// counts the work done and pollMs's wake-ups (keep it coarse where the figure matters).
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs, int pollMs = 10) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(timeoutMs);
    // Wakes the loop now and then, for a condition that no event of its own announces.
    QTimer poll;
    if (pollMs > 0) {
        poll.start(pollMs);
    }
    while (!done() && deadline.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// Runs the event loop for ms milliseconds, waking for nothing of its own.
inline void settle(int ms) {
    waitUntil([] { return false; }, ms, 0);
}

// The processor time taken so far, user and system, in milliseconds: by this process
// (RUSAGE_SELF), its calling thread (RUSAGE_THREAD) or its children it has reaped
// (RUSAGE_CHILDREN).
inline double cpuMs(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// The milliseconds since the clock started.
inline double msSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// This process's peak resident memory so far, in KiB.
inline long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The running and the zombie children of this process, from /proc.
inline std::pair<int, int> children() {
    int running = 0;
    int zombies = 0;
    const std::string parent = std::to_string(getpid());
    DIR* proc = opendir("/proc");
    while (dirent* entry = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) {
            continue;
        }
        // pid (name) state ppid ...
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 4 > line.size()) {
            continue;
        }
        const char state = line[close + 2];
        const std::string ppid = line.substr(close + 4, line.find(' ', close + 4) - close - 4);
        if (ppid == parent) {
            ++(state == 'Z' ? zombies : running);
        }
    }
    closedir(proc);
    return {running, zombies};
}

} // namespace kavu::bench
