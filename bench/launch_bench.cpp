// One hidden launch as a window sees it (write the command box, read it back, join, start,
// return), and the process starter's start alone, each timed in turns with a bare posix_spawn of
// the same interpreter, the least a program could do to start it (the counters give both, the
// ratio of their sums and the median of each pair's ratio; the lines printed at the end give the
// medians of every pair of every run); and a burst of hidden runs, with the launches a second, the
// watcher's processor time and the zombies left.
#include "app/app.h"
#include "bare_spawn.h"
#include "in_turns.h"
#include "inert_services.h"
#include "platform/process_starter.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <utility>

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

// The baseline: a bare posix_spawn of the interpreter, its output to the null device, reaped.
// The seconds the spawn took, negative when it failed; the wait for its end is not timed.
double timedSpawn(kavu::bench::BareSpawn& bare) {
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = bare.start();
    const auto end = std::chrono::steady_clock::now();
    if (pid < 0) {
        return -1;
    }
    waitpid(pid, nullptr, 0);
    return std::chrono::duration<double>(end - begin).count();
}

using namespace kavu::bench;

// Each benchmark's pairs over all its runs, for the lines printed at the end.
std::map<std::string, Turns>& everyPair() {
    static std::map<std::string, Turns> pairs;
    return pairs;
}

// Times launch (which starts one process) and a bare spawn in turns, one of each an iteration,
// the next once both ended and were reaped; the iteration's time is the launch's, and the counters
// give both, the ratio of their sums and the median of each pair's ratio. False when a bare spawn
// failed.
template <class Launch>
bool inTurnsWithBareSpawn(benchmark::State& state, const std::string& name, Launch launch) {
    BareSpawn bare(KAVU_CMD_PATH, "exit");
    Turns run;
    Turns& pairs = everyPair()[name];
    for (auto _ : state) {
        const bool taken = run.take(
            [&] {
                const auto begin = std::chrono::steady_clock::now();
                launch();
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
                waitUntilNoChildren();
                return seconds;
            },
            [&] { return timedSpawn(bare); });
        if (!taken) {
            state.SkipWithError("a bare spawn failed");
            return false;
        }
        state.SetIterationTime(run.subject.back());
        pairs.add(run.subject.back(), run.baseline.back());
    }
    const double launchSeconds = std::accumulate(run.subject.begin(), run.subject.end(), 0.0);
    const double bareSeconds = std::accumulate(run.baseline.begin(), run.baseline.end(), 0.0);
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["launch_us"] = launchSeconds * 1e6 / iterations;
    state.counters["bare_spawn_us"] = bareSeconds * 1e6 / iterations;
    state.counters["ratio"] = launchSeconds / bareSeconds;
    state.counters["pair_ratio_median"] = median(run.ratios);
    return true;
}

// One hidden launch as a window makes it, against the bare spawn.
void BM_WindowHiddenLaunch(benchmark::State& state) {
    QTemporaryDir folder;
    // Tool files the start-up check accepts: without them there is no main window, and each run
    // would load it again instead of launching.
    for (const char* tool : {"adb", "fastboot", "kavu-cmd"}) {
        QFile file(QDir(folder.path()).filePath(QString::fromLatin1(tool)));
        if (!file.open(QIODevice::WriteOnly) ||
            !file.setPermissions(file.permissions() | QFile::ExeOwner)) {
            state.SkipWithError("cannot make the tool files");
            return;
        }
    }
    kavu::SystemProcessStarter system(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                      [](const QString&) {});
    CountingStarter processes(system);
    NoMessages messages;
    NoPause pause;
    NoRandom random;
    NoBrowser browser;
    Folder environment;
    environment.path = folder.path();
    kavu::App app({processes, messages, pause, random, browser, environment});
    kavu::useForm1AsMainWindow(app);
    if (app.mainWindow() == nullptr) {
        state.SkipWithError("the main window did not load");
        return;
    }
    const QString command = QStringLiteral("exit");
    processes.started = 0;
    std::int64_t runs = 0;
    const bool taken = inTurnsWithBareSpawn(state, "BM_WindowHiddenLaunch", [&] {
        app.console().run(kavu::Command(command), kavu::launch::kHidden);
        ++runs;
    });
    // A launch that started no process measured nothing.
    if (taken && processes.started != runs) {
        state.SkipWithError("a launch started no process");
    }
}

// The process starter alone, without the command box, against the bare spawn.
void BM_StarterHiddenStart(benchmark::State& state) {
    kavu::SystemProcessStarter processes(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                         [](const QString&) {});
    const QString line = QStringLiteral("cmd /c exit");
    inTurnsWithBareSpawn(state, "BM_StarterHiddenStart",
                         [&] { processes.start(line, kavu::launch::WindowMode::Hidden, {}); });
}

std::set<int> threadIds() {
    std::set<int> ids;
    for (const QString& entry :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        ids.insert(entry.toInt());
    }
    return ids;
}

// User plus system processor time of a thread of this process, in clock ticks.
long long processorTicks(int thread) {
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t paren = text.rfind(')');
    if (paren == std::string::npos) {
        return 0;
    }
    // After the name: state, then fields 4 to 13; utime and stime are fields 14 and 15.
    std::istringstream fields(text.substr(paren + 2));
    std::string skipped;
    for (int field = 3; field <= 13; ++field) {
        fields >> skipped;
    }
    long long user = 0;
    long long system = 0;
    fields >> user >> system;
    return user + system;
}

// The children of this (main) thread: how many still run and how many are zombies.
std::pair<int, int> runningAndZombies() {
    std::ifstream children("/proc/self/task/" + std::to_string(getpid()) + "/children");
    int running = 0;
    int zombies = 0;
    int pid = 0;
    while (children >> pid) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t paren = text.rfind(')');
        if (paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z') {
            ++zombies;
        } else if (!text.empty()) {
            ++running;
        }
    }
    return {running, zombies};
}

// Hidden runs started back to back, as fast as the starter takes them, the watcher reaping them
// meanwhile; timed from the first start until no child is left (or, should some never be
// reaped, until none runs any more). Reports launches per second, the watcher thread's processor
// time per launch (its own time only: the spawning is the caller's, as are its system calls) and
// the zombies left a second after the last run ended.
void BM_StarterHiddenBurst(benchmark::State& state) {
    const auto runs = static_cast<int>(state.range(0));
    double watcherSeconds = 0;
    double totalSeconds = 0;
    double zombies = 0;
    for (auto _ : state) {
        const int zombiesBefore = runningAndZombies().second; // an earlier round's
        const std::set<int> before = threadIds();
        kavu::SystemProcessStarter processes(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                             [](const QString&) {});
        const QString line = QStringLiteral("cmd /c exit");
        const auto started = std::chrono::steady_clock::now();
        processes.start(line, kavu::launch::WindowMode::Hidden, {});
        int watcher = 0;
        for (const int thread : threadIds()) {
            if (before.count(thread) == 0) {
                watcher = thread;
            }
        }
        for (int run = 1; run < runs; ++run) {
            processes.start(line, kavu::launch::WindowMode::Hidden, {});
        }
        auto [running, left] = runningAndZombies();
        while (running > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::tie(running, left) = runningAndZombies();
        }
        // Every run has ended; some may still wait to be collected. What the watcher has not
        // collected a second later it never will: counted, and the wait not timed.
        auto ended = std::chrono::steady_clock::now();
        const auto givenUp = ended + std::chrono::seconds(1);
        while (left > zombiesBefore && std::chrono::steady_clock::now() < givenUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            left = runningAndZombies().second;
            if (left == zombiesBefore) {
                ended = std::chrono::steady_clock::now();
            }
        }
        const double timedSeconds = std::chrono::duration<double>(ended - started).count();
        state.SetIterationTime(timedSeconds);
        totalSeconds += timedSeconds;
        zombies += left - zombiesBefore;
        if (watcher != 0) {
            watcherSeconds += static_cast<double>(processorTicks(watcher)) / sysconf(_SC_CLK_TCK);
        }
    }
    const double launches = static_cast<double>(state.iterations()) * runs;
    state.counters["launches/s"] = launches / totalSeconds;
    state.counters["watcher_us/launch"] = watcherSeconds * 1e6 / launches;
    state.counters["zombies"] = zombies / static_cast<double>(state.iterations());
}

BENCHMARK(BM_StarterHiddenBurst)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_StarterHiddenStart)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowHiddenLaunch)
    ->UseManualTime()
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
    printTurnsHeading("Each launch against a bare posix_spawn of the same interpreter, every pair "
                      "of every run",
                      "us");
    for (const auto& [name, pairs] : everyPair()) {
        printTurns(name.c_str(), pairs, 1e6);
    }
    return 0;
}
