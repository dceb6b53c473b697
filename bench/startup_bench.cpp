// Whole-process measurements of Kavu's main window against a bare Qt window, both on the
// offscreen platform: start-up time to the window shown, peak memory, and CPU while idle.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double wallMs;
    double cpuMs;
    long peakKiB;
};

Run runOnce(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror(program.c_str());
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    return {std::chrono::duration<double, std::milli>(end - begin).count(), cpu, usage.ru_maxrss};
}

template <class Field> double median(std::vector<Run> runs, Field field) {
    std::sort(runs.begin(), runs.end(),
              [&](const Run& a, const Run& b) { return field(a) < field(b); });
    return field(runs[runs.size() / 2]);
}

struct Summary {
    double startMs;
    double startCpuMs;
    double peakKiB;
    double idleCpuPercent;
};

Summary summarise(const std::vector<Run>& starts, const Run& idle, int idleMs) {
    const double startCpu = median(starts, [](const Run& r) { return r.cpuMs; });
    return {median(starts, [](const Run& r) { return r.wallMs; }), startCpu,
            median(starts, [](const Run& r) { return double(r.peakKiB); }),
            100.0 * std::max(0.0, idle.cpuMs - startCpu) / idleMs};
}

} // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string folder = KAVU_PROGRAM_DIR;
    constexpr int repetitions = 31;
    constexpr int idleMs = 5000;
    const std::string kavuProgram = folder + "/bench_startup_kavu";
    const std::string bareProgram = folder + "/bench_startup_bare";
    // Warm the caches once, then take turns so that drift in the machine's load hits both alike.
    runOnce(kavuProgram, {"start"});
    runOnce(bareProgram, {"start"});
    std::vector<Run> kavuStarts;
    std::vector<Run> bareStarts;
    std::vector<Run> textStarts;
    for (int i = 0; i < repetitions; ++i) {
        kavuStarts.push_back(runOnce(kavuProgram, {"start"}));
        bareStarts.push_back(runOnce(bareProgram, {"start"}));
        setenv("KAVU_BARE_TEXT", "1", 1);
        textStarts.push_back(runOnce(bareProgram, {"start"}));
        unsetenv("KAVU_BARE_TEXT");
    }
    const std::vector<std::string> idle{"idle", std::to_string(idleMs)};
    const Summary kavu = summarise(kavuStarts, runOnce(kavuProgram, idle), idleMs);
    const Summary bare = summarise(bareStarts, runOnce(bareProgram, idle), idleMs);
    std::printf("%-28s %12s %12s %12s\n", "", "kavu", "bare Qt", "ratio");
    std::printf("%-28s %12.1f %12.1f %12.2f\n", "start-up to shown, ms", kavu.startMs, bare.startMs,
                kavu.startMs / bare.startMs);
    std::printf("%-28s %12.0f %12.0f %12.2f\n", "peak memory, KiB", kavu.peakKiB, bare.peakKiB,
                kavu.peakKiB / bare.peakKiB);
    std::printf("%-28s %12.2f %12.2f\n", "idle CPU, % of a core", kavu.idleCpuPercent,
                bare.idleCpuPercent);
    const double textMs = median(textStarts, [](const Run& r) { return r.wallMs; });
    std::printf("%-28s %12s %12.1f %12.2f\n", "start-up, bare with a caption", "", textMs,
                kavu.startMs / textMs);
    return 0;
}
