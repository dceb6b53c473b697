// The touch window's auto-clicker on a simulated phone, 200 taps at 80 ms: through the phone's open
// shell (the way Kavu taps when it reaches the phone over the adb server) against the baseline of a
// hidden line per tap (kavu-cmd and the real adb client, the way it taps when it cannot), timed in
// the same run. For each: the processes started per tap, this computer's processor time per tap
// (the program's main thread and every process it started; the simulated server runs on a thread
// of its own and is not counted), the connections to the server, and the taps the phone
// received. Then the shell again with a phone that takes 300 ms per tap: the most taps running on
// it at once, the taps skipped, and the program's peak memory before and after.
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

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

constexpr int kTaps = 200;
constexpr int kBaselineTaps = 50;

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

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
    // The taps the phone received, the shells opened on it, the requests the server answered,
    // the most taps running at once.
    struct Seen {
        int taps = 0;
        int shells = 0;
        int requests = 0;
        int mostRunning = 0;
    };
    Seen seen() {
        Seen seen;
        call([&] {
            for (const kavu::test::Received& command : m_server->shellCommands) {
                seen.taps += command.text.startsWith(u"input swipe");
            }
            seen.shells = static_cast<int>(m_server->requests.count(QStringLiteral("lines:R58M1")));
            seen.requests = static_cast<int>(m_server->requests.size());
            seen.mostRunning = m_server->mostRunning;
        });
        return seen;
    }
    void reset(int lineDelayMs) {
        call([&] {
            m_server->shellCommands.clear();
            m_server->requests.clear();
            m_server->mostRunning = 0;
            m_server->lineDelayMs = lineDelayMs;
        });
    }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<kavu::test::SimulatedAdbServer> m_server;
    bool m_ok = false;
};

struct Figures {
    double cpuPerTapMs = 0;
    double seconds = 0;
    double processesPerTap = 0;
    ServerThread::Seen seen;
    QString skipped;
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
    type("Textdely", QStringLiteral("80"));
    type("Textcishu", QString::number(count));
    processes.started = 0;
    const double cpuBefore =
        kavu::bench::cpuMs(RUSAGE_THREAD) + kavu::bench::cpuMs(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    emit window->findChild<kavu::N_Shape*>(QStringLiteral("SWIPEGO"))->Click();
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timerdur"));
    // The run goes once its timer does (through shells, once they are open), and is over once
    // its timer stopped.
    const bool ended =
        kavu::bench::waitUntil([&] { return timer->isActive(); }, 5000) &&
        kavu::bench::waitUntil([&] { return !timer->isActive(); }, count * 80 * 3 + 5000);
    kavu::bench::waitUntil([] { return false; }, 1500); // the last runs end and are reaped
    if (!ended) {
        return std::nullopt;
    }
    Figures figures;
    figures.cpuPerTapMs =
        (kavu::bench::cpuMs(RUSAGE_THREAD) + kavu::bench::cpuMs(RUSAGE_CHILDREN) - cpuBefore) /
        count;
    figures.seconds = static_cast<double>(clock.elapsed()) / 1000;
    figures.processesPerTap = static_cast<double>(processes.started) / count;
    figures.seen = server.seen();
    figures.skipped = window->findChild<QLabel*>(QStringLiteral("Labelskipped"))->text();
    window->close();
    kavu::bench::waitUntil([] { return false; }, 100);
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
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

    // What the program takes doing nothing, with the main window shown (its scrolling notice).
    const double idleBefore = kavu::bench::cpuMs(RUSAGE_THREAD);
    QElapsedTimer idleClock;
    idleClock.start();
    kavu::bench::waitUntil([] { return false; }, 3000);
    const double idleMsPerSecond =
        (kavu::bench::cpuMs(RUSAGE_THREAD) - idleBefore) * 1000 / idleClock.elapsed();

    // The baseline: no shell client, a hidden line per tap.
    server.reset(0);
    const std::optional<Figures> lines = run(app, server, processes, kBaselineTaps);
    app.setShellClient(&client);
    server.reset(0);
    const std::optional<Figures> shell = run(app, server, processes, kTaps);
    const long peakBefore = peakKiB();
    server.reset(300);
    const std::optional<Figures> busy = run(app, server, processes, kTaps);
    const long peakAfter = peakKiB();
    if (!lines || !shell || !busy) {
        std::fprintf(stderr, "a run never ended\n");
        return 1;
    }
    // A figure counts only for taps that reached the phone.
    if (lines->seen.taps != kBaselineTaps || shell->seen.taps != kTaps) {
        std::fprintf(stderr, "the phone received %d of %d baseline taps and %d of %d shell taps\n",
                     lines->seen.taps, kBaselineTaps, shell->seen.taps, kTaps);
        return 1;
    }
    std::printf("hidden line per tap (baseline, %d taps): %.2f processes and %.3f ms of processor "
                "time per tap, %d server requests\n",
                kBaselineTaps, lines->processesPerTap, lines->cpuPerTapMs, lines->seen.requests);
    std::printf("open shell (%d taps at 80 ms): %.2f processes and %.3f ms of processor time per "
                "tap (%.3fx the baseline; goal 0 processes and <= 0.2 ms), %d shell(s) opened "
                "and %d server requests in the run (goal <= 1 connection)\n",
                kTaps, shell->processesPerTap, shell->cpuPerTapMs,
                shell->cpuPerTapMs / lines->cpuPerTapMs, shell->seen.shells, shell->seen.requests);
    const double shellNet = shell->cpuPerTapMs - idleMsPerSecond * shell->seconds / kTaps;
    std::printf("idle: %.3f ms of processor time a second; the open shell's taps without it: "
                "%.3f ms per tap (%.3fx the baseline)\n",
                idleMsPerSecond, shellNet, shellNet / lines->cpuPerTapMs);
    std::printf("open shell, phone at 300 ms a tap: %d taps received, at most %d running at once "
                "(limit 4), window says \"%s\", peak memory %ld KiB before and %ld KiB after\n",
                busy->seen.taps, busy->seen.mostRunning, qPrintable(busy->skipped), peakBefore,
                peakAfter);
    return 0;
}
