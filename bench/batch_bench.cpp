// A batch as a repair shop runs one: 64 phones on a simulated adb server, "全部设备", a click of
// three console lines (each a real process of about 50 ms), run hidden at most eight at once
// with the batch window open. It reports the longest stand-still of the event loop (goal at most
// 50 ms), the most runs seen at once (goal at most the limit), the window's refreshes a second
// (goal at most 30), the peak memory, and that every run ended and was reaped.
#include "app/app.h"
#include "app/batch_runner.h"
#include "app/command.h"
#include "batch/batch_window.h"
#include "devices/adb_device_tracker.h"
#include "inert_services.h"
#include "journal/journal.h"
#include "platform/process_starter.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kPhones = 64;
constexpr int kLines = 3;

long peakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QStringList failures;
    kavu::SystemProcessStarter processes(QStringLiteral(KAVU_CMD_PATH), std::nullopt,
                                         [&failures](const QString& why) { failures << why; });
    kavu::bench::InertWorld world(&processes);
    kavu::test::SimulatedAdbServer server;
    if (!world.ready() || !server.listen()) {
        return 1;
    }
    QList<kavu::test::SimulatedDevice> phones;
    for (int i = 0; i < kPhones; ++i) {
        phones.append({QStringLiteral("PHONE%1").arg(i, 2, 10, QLatin1Char('0')),
                       QStringLiteral("device"), QStringLiteral("Pixel_%1").arg(i)});
    }
    server.setDevices(phones);
    kavu::AdbDeviceTracker tracker(server.port());
    kavu::App& app = world.app();
    app.setDeviceWatch(&tracker);
    kavu::journal::Journal journal(app, world.folder() + QStringLiteral("/journal"));
    app.setJournal(&journal);
    tracker.start();
    if (!kavu::bench::waitUntil([&] { return tracker.snapshot().devices.size() == kPhones; },
                                5000)) {
        std::fprintf(stderr, "the phones were never listed\n");
        return 1;
    }
    // The main window (which takes the command box) is loaded first; its device-check console,
    // which opens once adb was asked to start its server, finds no terminal here, which does not
    // matter.
    if (app.mainWindow() == nullptr) {
        return 1;
    }
    kavu::bench::waitUntil([&failures] { return !failures.isEmpty(); }, 6000);
    failures.clear();
    app.devices().chooseEvery();
    kavu::BatchRunner& runner = app.console().batches();
    auto* window = app.open<kavu::BatchWindow>();
    const long peakBefore = peakKib();

    // A 1 ms timer notes the longest gap between its ticks, and the most runs under way at once.
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    int mostAtOnce = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
        mostAtOnce = std::max(mostAtOnce, runner.running());
    });
    sinceTick.start();
    ticker.start();
    kavu::bench::waitUntil([] { return false; }, 100);
    longestGapNs = 0;
    const int refreshesBefore = window->refreshes();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, [&] {
        for (int line = 0; line < kLines; ++line) {
            app.console().run(kavu::Command(u"sleep 0.05"), kavu::launch::kConsole);
        }
    });
    const auto done = [&] {
        const kavu::Batch* batch = runner.latest();
        return batch != nullptr && batch->rows.size() == kPhones && runner.idle();
    };
    const bool finished = kavu::bench::waitUntil(done, 120000);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    // The window's last refresh comes after the runs' end.
    kavu::bench::waitUntil([] { return false; }, 100);
    ticker.stop();
    const int refreshes = window->refreshes() - refreshesBefore;
    int succeeded = 0;
    if (const kavu::Batch* batch = runner.latest()) {
        succeeded = static_cast<int>(
            std::count_if(batch->rows.begin(), batch->rows.end(), [](const kavu::BatchRow& row) {
                return row.status == kavu::BatchRow::Status::Succeeded &&
                       row.next == static_cast<std::size_t>(kLines);
            }));
    }
    const bool reaped =
        kavu::bench::waitUntil([] { return kavu::bench::children().second == 0; }, 5000);

    std::printf("batch of %d phones x %d lines (limit %d): %d phones succeeded in %.2f s; longest "
                "event-loop gap %.2f ms (goal <= 50); most runs at once %d; window refreshes "
                "%.1f a second (goal <= 30); peak memory %ld KiB (%ld KiB before the batch); %s; "
                "%lld start failures\n",
                kPhones, kLines, runner.limit(), succeeded, seconds,
                static_cast<double>(longestGapNs) / 1e6, mostAtOnce,
                static_cast<double>(refreshes) / seconds, peakKib(), peakBefore,
                reaped ? "0 zombies" : "ZOMBIES LEFT", static_cast<long long>(failures.size()));
    for (const QString& failure : std::as_const(failures)) {
        std::fprintf(stderr, "start failure: %s\n", qPrintable(failure));
    }
    return finished && reaped && failures.isEmpty() && succeeded == kPhones &&
                   mostAtOnce <= runner.limit()
               ? 0
               : 1;
}
