// The touch window's auto-clicker on a simulated phone, 200 taps at 80 ms: through the phone's open
// shell (the way Kavu taps when it reaches the phone over the adb server) against the baseline of a
// hidden line per tap (kavu-cmd and the real adb client, the way it taps when it cannot), the two
// alternated in the same run, round after round.
//
// Kavu's processor time is the whole process's less the simulated server's thread (which plays the
// phone and the adb server, and is read on that thread), plus the processes Kavu started and
// reaped. The harness sleeps between events, waking a few times a second to look at the run. Each
// run is preceded by two seconds of the program idle with the touch window open and ready; the
// taps' own cost is the run's processor time less that idle rate over the run's span, and the
// figure with the idle share left in is printed beside it. For each path: the processes started
// per tap, the processor time per tap, the requests to the server, the taps the phone received,
// and for the shell the period as the phone saw it. Then the shell again with a phone that takes
// 300 ms per tap: the most taps running on it at once, the taps skipped, and the program's peak
// memory before and after.
//
// "bench_taps --profile" runs the shell path alone, once, for a profiler.
#include "app/app.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "inert_services.h"
#include "input/touchsimu.h"
#include "platform/process_starter.h"
#include "support/simulated_adb_server.h"
#include "widgets/n_shape.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QThread>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTaps = 200;
constexpr int kIntervalMs = 80;
constexpr int kBaselineTaps = 25;
constexpr int kRounds = 2;
constexpr int kIdleMs = 3000;
constexpr int kReadyIdleMs = 2000;

using kavu::bench::peakKiB;

// The simulated server on a thread of its own; what it holds is read on that thread.
class ServerThread {
public:
    ServerThread() {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        call([this] {
            m_server = std::make_unique<kavu::test::SimulatedAdbServer>();
            m_server->features = {QStringLiteral("shell_v2")};
            m_ok = m_server->listen();
            m_server->setDevices(
                {{QStringLiteral("R58M1"), QStringLiteral("device"), QStringLiteral("Pixel 7")}});
            // When each tap reached the phone.
            QObject::connect(m_server.get(), &kavu::test::SimulatedAdbServer::received, &m_context,
                             [this] {
                                 const auto& commands = m_server->shellCommands;
                                 if (commands.size() > m_counted) {
                                     m_counted = commands.size();
                                     if (commands.back().text.startsWith(u"input swipe")) {
                                         m_tapTimes.push_back(Clock::now());
                                     }
                                 }
                             });
        });
    }
    ~ServerThread() {
        call([this] { m_server.reset(); });
        m_thread.quit();
        m_thread.wait();
    }
    bool ok() const { return m_ok; }
    quint16 port() {
        quint16 port = 0;
        call([&] { port = m_server->port(); });
        return port;
    }
    template <class Work> void call(Work work) {
        QMetaObject::invokeMethod(&m_context, work, Qt::BlockingQueuedConnection);
    }
    // The processor time the server's thread took so far.
    double cpuMs() {
        double ms = 0;
        call([&] { ms = kavu::bench::cpuMs(RUSAGE_THREAD); });
        return ms;
    }
    // The taps the phone received, the shells opened on it, the requests the server answered,
    // the most taps running at once, when each tap arrived.
    struct Seen {
        int taps = 0;
        int shells = 0;
        int requests = 0;
        int mostRunning = 0;
        std::vector<Clock::time_point> tapTimes;
    };
    Seen seen() {
        Seen seen;
        call([&] {
            for (const kavu::test::Received& command : m_server->shellCommands) {
                seen.taps += command.text.startsWith(u"input swipe");
            }
            seen.shells = static_cast<int>(m_server->requests.count(QStringLiteral("lines:R58M1")));
            // "lines:SERIAL" notes a shell opened; it is not a request of its own.
            seen.requests = static_cast<int>(m_server->requests.size()) - seen.shells;
            seen.mostRunning = m_server->mostRunning;
            seen.tapTimes = m_tapTimes;
        });
        return seen;
    }
    void reset(int lineDelayMs) {
        call([&] {
            m_server->shellCommands.clear();
            m_server->requests.clear();
            m_server->mostRunning = 0;
            m_server->lineDelayMs = lineDelayMs;
            m_counted = 0;
            m_tapTimes.clear();
        });
    }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<kavu::test::SimulatedAdbServer> m_server;
    qsizetype m_counted = 0;
    std::vector<Clock::time_point> m_tapTimes;
    bool m_ok = false;
};

// Kavu's processor time so far: the process's less the simulated server's, and its reaped children.
double kavuCpuMs(ServerThread& server) {
    return kavu::bench::cpuMs(RUSAGE_SELF) - server.cpuMs() + kavu::bench::cpuMs(RUSAGE_CHILDREN);
}

// Kavu's processor time a second doing nothing for ms milliseconds.
double idleMsPerSecond(ServerThread& server, int ms) {
    const double before = kavuCpuMs(server);
    QElapsedTimer clock;
    clock.start();
    kavu::bench::settle(ms);
    return (kavuCpuMs(server) - before) * 1000 / static_cast<double>(clock.elapsed());
}

struct Figures {
    double cpuMs = 0;
    double seconds = 0;
    // The program idle just before, with the touch window open and its start button focused
    // (the main window's notice, the device tracker).
    double idleMsPerSecond = 0;
    double processesPerTap = 0;
    ServerThread::Seen seen;
    // When the window's repeat timer ran out for each tap, and when a bare precise timer of the
    // same interval, started with the run's, ran out as often.
    std::vector<Clock::time_point> cycleTimes;
    std::vector<Clock::time_point> bareTimes;
    QString skipped;
    double perTap(int taps) const { return cpuMs / taps; }
    // Less what the program takes idle over the same span: the taps' own cost.
    double netPerTap(int taps) const { return (cpuMs - idleMsPerSecond * seconds) / taps; }
};

// One run of count taps at 80 ms; nothing when it did not finish.
std::optional<Figures> run(kavu::App& app, ServerThread& server,
                           kavu::bench::CountingStarter& processes, int count) {
    auto* window = app.open<kavu::touchsimu>();
    const auto type = [window](const char* box, const QString& text) {
        window->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
    };
    type("X1", QStringLiteral("540"));
    type("Y1", QStringLiteral("1600"));
    type("DURA", QStringLiteral("1"));
    type("Textdely", QString::number(kIntervalMs));
    type("Textcishu", QString::number(count));
    auto* go = window->findChild<kavu::N_Shape*>(QStringLiteral("SWIPEGO"));
    // The pointer goes to the button and presses it, as a click of the mouse would: the button
    // takes the focus (so no text box's cursor blinks through the run), then acts.
    go->setFocus(Qt::MouseFocusReason);
    kavu::bench::settle(200);
    const double idle = idleMsPerSecond(server, kReadyIdleMs);
    processes.started = 0;
    const double cpuBefore = kavuCpuMs(server);
    QElapsedTimer clock;
    clock.start();
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timerdur"));
    std::vector<Clock::time_point> cycleTimes;
    QTimer bare;
    bare.setTimerType(Qt::PreciseTimer);
    std::vector<Clock::time_point> bareTimes;
    const QMetaObject::Connection timing =
        QObject::connect(timer, &QTimer::timeout, timer, [&cycleTimes, &bare] {
            cycleTimes.push_back(Clock::now());
            if (cycleTimes.size() == 1) {
                bare.start(kIntervalMs);
            }
        });
    QObject::connect(&bare, &QTimer::timeout, &bare, [&bareTimes, &bare, count] {
        bareTimes.push_back(Clock::now());
        if (bareTimes.size() + 1 == static_cast<std::size_t>(count)) {
            bare.stop();
        }
    });
    emit go->Click();
    // The run goes once its timer does (through shells, once they are open), and is over once
    // its timer stopped. It is looked at four times a second.
    const bool ended = kavu::bench::waitUntil([&] { return timer->isActive(); }, 5000) &&
                       kavu::bench::waitUntil([&] { return !timer->isActive(); },
                                              count * kIntervalMs * 3 + 5000, 250);
    kavu::bench::settle(1500); // the last runs end and are reaped
    if (!ended) {
        std::fprintf(stderr, "a run of %d taps never ended\n", count);
        return std::nullopt;
    }
    Figures figures;
    figures.cpuMs = kavuCpuMs(server) - cpuBefore;
    figures.idleMsPerSecond = idle;
    figures.seconds = static_cast<double>(clock.elapsed()) / 1000;
    figures.processesPerTap = static_cast<double>(processes.started) / count;
    figures.seen = server.seen();
    QObject::disconnect(timing);
    figures.cycleTimes = cycleTimes;
    figures.bareTimes = bareTimes;
    figures.skipped = window->findChild<QLabel*>(QStringLiteral("Labelskipped"))->text();
    window->close();
    kavu::bench::settle(100);
    return figures;
}

double milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// The mean distance of the periods between taps from the interval, and the drift over the run:
// how far the last ten taps lie from exact periods after the first, less how far the first ten do
// (medians, so that one late tap moves neither end).
std::pair<double, double> periodError(const std::vector<Clock::time_point>& taps) {
    constexpr std::size_t kEnds = 10;
    if (taps.size() < 2 * kEnds) {
        return {0, 0};
    }
    double sum = 0;
    std::vector<double> late;
    for (std::size_t i = 0; i < taps.size(); ++i) {
        late.push_back(milliseconds(taps[i] - taps.front()) - static_cast<double>(i) * kIntervalMs);
        if (i > 0) {
            sum += std::abs(milliseconds(taps[i] - taps[i - 1]) - kIntervalMs);
        }
    }
    const auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    const double drift =
        median({late.end() - kEnds, late.end()}) - median({late.begin(), late.begin() + kEnds});
    return {sum / static_cast<double>(taps.size() - 1), drift};
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const bool profile = argc > 1 && std::strcmp(argv[1], "--profile") == 0;
    QApplication application(argc, argv);
    ServerThread server;
    if (!server.ok()) {
        std::fprintf(stderr, "the simulated server could not listen\n");
        return 1;
    }
    // The real adb client of the baseline talks to the simulated server.
    const QByteArray port = QByteArray::number(server.port());
    setenv("ANDROID_ADB_SERVER_PORT", port.constData(), 1);
    QStringList failures;
    kavu::SystemProcessStarter system(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                      [&failures](const QString& why) { failures << why; });
    kavu::bench::CountingStarter processes(system);
    kavu::bench::InertWorld world(&processes);
    // The program folder's adb is the real one, so that every baseline tap reaches the phone.
    const QString adb = QStandardPaths::findExecutable(QStringLiteral("adb"));
    const QString folderAdb = QDir(world.folder()).filePath(QStringLiteral("adb"));
    if (!world.ready() || adb.isEmpty() || !QFile::remove(folderAdb) ||
        !QFile::link(adb, folderAdb)) {
        std::fprintf(stderr, "the program folder could not be made\n");
        return 1;
    }
    kavu::AdbDeviceTracker tracker(server.port());
    kavu::AdbShellClient client(kavu::AdbServer(server.port()), kavu::ShellLimits{});
    kavu::App& app = world.app();
    app.setDeviceWatch(&tracker);
    app.mainWindow();
    if (!kavu::bench::waitUntil([&] { return app.devices().serial().has_value(); }, 5000)) {
        std::fprintf(stderr, "the phone was never chosen\n");
        return 1;
    }
    if (profile) {
        app.setShellClient(&client);
        server.reset(0);
        const std::optional<Figures> shell = run(app, server, processes, kTaps);
        std::printf("open shell: %.3f ms per tap\n", shell ? shell->perTap(kTaps) : -1.0);
        return shell ? 0 : 1;
    }

    struct Round {
        double idle = 0;
        Figures lines;
        Figures shell;
    };
    std::vector<Round> rounds;
    for (int i = 0; i < kRounds; ++i) {
        Round round;
        // What the program takes doing nothing, with the main window shown (its scrolling notice
        // and the device tracker).
        round.idle = idleMsPerSecond(server, kIdleMs);
        // The baseline: no shell client, a hidden line per tap.
        app.setShellClient(nullptr);
        server.reset(0);
        const std::optional<Figures> lines = run(app, server, processes, kBaselineTaps);
        app.setShellClient(&client);
        server.reset(0);
        const std::optional<Figures> shell = run(app, server, processes, kTaps);
        if (!lines || !shell) {
            std::fprintf(stderr, "a run never ended\n");
            return 1;
        }
        // A figure counts only for taps that reached the phone.
        if (lines->seen.taps != kBaselineTaps || shell->seen.taps != kTaps) {
            std::fprintf(stderr,
                         "the phone received %d of %d baseline taps and %d of %d shell taps\n",
                         lines->seen.taps, kBaselineTaps, shell->seen.taps, kTaps);
            return 1;
        }
        round.lines = *lines;
        round.shell = *shell;
        rounds.push_back(round);
    }
    const long peakBefore = peakKiB();
    server.reset(300);
    const std::optional<Figures> busy = run(app, server, processes, kTaps);
    const long peakAfter = peakKiB();
    if (!busy) {
        std::fprintf(stderr, "the busy run never ended\n");
        return 1;
    }

    std::printf("Kavu's processor time: the process's less the simulated server's thread, with the "
                "processes it started; %d rounds, each idle %d ms, %d taps as hidden lines, %d "
                "through the open shell, at %d ms\n",
                kRounds, kIdleMs, kBaselineTaps, kTaps, kIntervalMs);
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const Round& r = rounds[i];
        const double baseline = r.lines.netPerTap(kBaselineTaps);
        const double baselineGross = r.lines.perTap(kBaselineTaps);
        const double gross = r.shell.perTap(kTaps);
        const double net = r.shell.netPerTap(kTaps);
        const auto [meanError, drift] = periodError(r.shell.seen.tapTimes);
        const auto [cycleError, cycleDrift] = periodError(r.shell.cycleTimes);
        const auto [bareError, bareDrift] = periodError(r.shell.bareTimes);
        std::printf("round %zu: idle %.3f ms a second (%.3f %% of a core) with the main window "
                    "shown, %.3f with the touch window open too\n",
                    i + 1, r.idle, r.idle / 10, r.shell.idleMsPerSecond);
        std::printf("  hidden line per tap (baseline): %.2f processes and %.3f ms per tap, the "
                    "taps' own (%.3f ms with the idle share), %d server requests\n",
                    r.lines.processesPerTap, baseline, baselineGross, r.lines.seen.requests);
        std::printf("  open shell: %.2f processes and %.3f ms per tap, the taps' own (%.3fx the "
                    "baseline; goal 0 processes and <= 0.2 ms); %.3f ms with the idle program's "
                    "share over the run (%.3fx)\n",
                    r.shell.processesPerTap, net, net / baseline, gross, gross / baselineGross);
        std::printf("  open shell: %d shell(s) opened, %d requests to the server in the run (a "
                    "shell is a transport and its service on one connection; goal <= 1 "
                    "connection)\n",
                    r.shell.seen.shells, r.shell.seen.requests);
        std::printf(
            "  period of %zu taps, mean |error| and drift, ms: %.3f and %+.3f as the window "
            "sent them (%.2fx a bare precise timer's %.3f and %+.3f alongside), %.3f and "
            "%+.3f as the phone received them (goal <= 1, no drift)\n",
            r.shell.cycleTimes.size(), cycleError, cycleDrift, cycleError / bareError, bareError,
            bareDrift, meanError, drift);
    }
    std::printf("open shell, phone at 300 ms a tap: %d taps received, at most %d running at once "
                "(limit 4), window says \"%s\", peak memory %ld KiB before and %ld KiB after\n",
                busy->seen.taps, busy->seen.mostRunning, qPrintable(busy->skipped), peakBefore,
                peakAfter);
    return 0;
}
