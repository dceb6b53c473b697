// Kavu's start against a bare Qt window holding one Chinese caption, and against its main window as
// the layout file alone builds it, as whole processes timed in turns in the same run: from the
// spawn to the end of the first paint of the main window (of the yardstick's window), and the
// processor time and peak memory by then (the processor time varies less with the machine's other
// load than the time does); then the processor time each takes idle for five seconds after it. The
// first ratio is the whole start's cost; the second what the program adds to drawing its own
// window, whose captions and icons a one-caption window does not have. On the offscreen platform
// unless QT_QPA_PLATFORM says otherwise (run under xvfb-run with QT_QPA_PLATFORM=xcb for an X
// server). Kavu works in a throw-away KAVU_HOME, opens no console and writes no journal line; its
// device tracker looks for an adb server on a port where none listens.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double paintedMs = 0;
    double peakKiB = 0;
    double cpuMs = 0;
    double idleCpuMs = 0;
};

double monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Starts the program, reads its one line of report and waits for it.
Run runOnce(const std::string& program, int idleMs) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    setenv("KAVU_BENCH_IDLE_MS", std::to_string(idleMs).c_str(), 1);
    char spawned[32];
    std::snprintf(spawned, sizeof spawned, "%.0f", monotonicNs());
    setenv("KAVU_BENCH_SPAWNED_NS", spawned, 1);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        std::perror(program.c_str());
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string report;
    char chunk[256];
    for (ssize_t got = 0; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        report.append(chunk, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Run run;
    long peak = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(report.c_str(), "%lf %ld %lf %lf", &run.paintedMs, &peak, &run.cpuMs,
                    &run.idleCpuMs) != 4) {
        std::fprintf(stderr, "%s failed (status %d, report \"%s\")\n", program.c_str(), status,
                     report.c_str());
        std::exit(1);
    }
    run.peakKiB = static_cast<double>(peak);
    return run;
}

template <class Field> double median(std::vector<Run> runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) {
        values.push_back(field(run));
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    setenv("ANDROID_ADB_SERVER_PORT", "1", 1);
    char home[] = "/tmp/kavu-startup-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    setenv("KAVU_HOME", home, 1);
    setenv("XDG_RUNTIME_DIR", home, 1);
    const std::string folder = KAVU_PROGRAM_DIR;
    constexpr int kRepetitions = 31;
    constexpr int kIdleMs = 5000;
    const std::string kavuProgram = folder + "/bench_startup_kavu";
    const std::string bareProgram = folder + "/bench_startup_bare";
    const std::string layoutProgram = folder + "/bench_startup_layout";
    // Warm the caches once, then take turns so that drift in the machine's load hits all alike.
    runOnce(kavuProgram, 0);
    runOnce(bareProgram, 0);
    runOnce(layoutProgram, 0);
    std::vector<Run> kavu;
    std::vector<Run> bare;
    std::vector<Run> layout;
    std::vector<Run> ratios;
    std::vector<Run> layoutRatios;
    const auto ratio = [](const Run& subject, const Run& yardstick) {
        return Run{subject.paintedMs / yardstick.paintedMs, subject.peakKiB / yardstick.peakKiB,
                   subject.cpuMs / yardstick.cpuMs, 0};
    };
    for (int i = 0; i < kRepetitions; ++i) {
        kavu.push_back(runOnce(kavuProgram, 0));
        bare.push_back(runOnce(bareProgram, 0));
        layout.push_back(runOnce(layoutProgram, 0));
        ratios.push_back(ratio(kavu.back(), bare.back()));
        layoutRatios.push_back(ratio(kavu.back(), layout.back()));
    }
    const Run kavuIdle = runOnce(kavuProgram, kIdleMs);
    const Run bareIdle = runOnce(bareProgram, kIdleMs);
    const Run layoutIdle = runOnce(layoutProgram, kIdleMs);
    const bool journalWritten = std::filesystem::exists(std::filesystem::path(home) / "journal") &&
                                !std::filesystem::is_empty(std::filesystem::path(home) / "journal");
    std::filesystem::remove_all(home);

    const auto painted = [](const Run& r) { return r.paintedMs; };
    const auto peak = [](const Run& r) { return r.peakKiB; };
    const auto cpu = [](const Run& r) { return r.cpuMs; };
    std::printf("%s platform, %d starts each in turns, medians (ratio: median of each pair's)\n",
                std::getenv("QT_QPA_PLATFORM"), kRepetitions);
    std::printf("%-34s %9s %10s %8s %10s %8s\n", "", "kavu", "bare+text", "ratio", "layout",
                "ratio");
    std::printf("%-34s %9.1f %10.1f %8.3f %10.1f %8.3f (goal <= 1.15)\n",
                "spawn to first paint done, ms", median(kavu, painted), median(bare, painted),
                median(ratios, painted), median(layout, painted), median(layoutRatios, painted));
    std::printf("%-34s %9.1f %10.1f %8.3f %10.1f %8.3f\n", "processor time by then, ms",
                median(kavu, cpu), median(bare, cpu), median(ratios, cpu), median(layout, cpu),
                median(layoutRatios, cpu));
    std::printf("%-34s %9.0f %10.0f %8.3f %10.0f %8.3f (goal <= 1.15)\n",
                "peak memory by then, KiB", median(kavu, peak), median(bare, peak),
                median(ratios, peak), median(layout, peak), median(layoutRatios, peak));
    std::printf("%-34s %9.3f %10.3f %8s %10.3f\n", "idle CPU after it, % of a core",
                100.0 * kavuIdle.idleCpuMs / kIdleMs, 100.0 * bareIdle.idleCpuMs / kIdleMs, "",
                100.0 * layoutIdle.idleCpuMs / kIdleMs);
    if (journalWritten) {
        std::fprintf(stderr, "Kavu wrote a journal line\n");
        return 1;
    }
    return 0;
}
