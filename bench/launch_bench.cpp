// One hidden launch as a window sees it (write the command box, read it back, join, start,
// return) next to a bare posix_spawn of the same interpreter.
#include "inert_services.h"
#include "platform/process_starter.h"
#include "shell/app.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Children of this (main) thread, as the kernel lists them; empty once every run was reaped.
void waitUntilNoChildren() {
    const std::string path = "/proc/self/task/" + std::to_string(getpid()) + "/children";
    for (;;) {
        std::ifstream children(path);
        std::string first;
        if (!(children >> first)) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

void BM_BarePosixSpawn(benchmark::State& state) {
    char program[] = KAVU_CMD_PATH;
    char switchText[] = "/c";
    char text[] = "exit";
    char* argv[] = {program, switchText, text, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    for (auto _ : state) {
        pid_t pid = 0;
        posix_spawn(&pid, program, &actions, nullptr, argv, environ);
        state.PauseTiming();
        waitpid(pid, nullptr, 0);
        state.ResumeTiming();
    }
    posix_spawn_file_actions_destroy(&actions);
}

using namespace kavu::bench;

void BM_WindowHiddenLaunch(benchmark::State& state) {
    QTemporaryDir folder;
    for (const char* tool : {"adb", "fastboot"}) {
        QFile file(QDir(folder.path()).filePath(QString::fromLatin1(tool)));
        file.open(QIODevice::WriteOnly);
    }
    kavu::SystemProcessStarter processes(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                         [](const QString&) {});
    NoMessages messages;
    NoPause pause;
    NoRandom random;
    NoBrowser browser;
    Folder environment;
    environment.path = folder.path();
    kavu::App app({processes, messages, pause, random, browser, environment});
    app.form1();
    const QString command = QStringLiteral("exit");
    for (auto _ : state) {
        app.run(command, kavu::launch::kHidden);
        // As for the bare spawn, the next launch starts once this one has ended and was reaped.
        state.PauseTiming();
        waitUntilNoChildren();
        state.ResumeTiming();
    }
}

// The process starter alone, without the command box.
void BM_StarterHiddenStart(benchmark::State& state) {
    kavu::SystemProcessStarter processes(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                         [](const QString&) {});
    const QString line = QStringLiteral("cmd /c exit");
    for (auto _ : state) {
        processes.start(line, kavu::launch::WindowMode::Hidden);
        state.PauseTiming();
        waitUntilNoChildren();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StarterHiddenStart)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BarePosixSpawn)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowHiddenLaunch)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
