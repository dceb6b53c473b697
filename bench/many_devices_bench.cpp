// Kavu with 64 phones on a simulated adb server, in one process on the offscreen platform: the
// time from a change of the server's list to the device row painting it, and "全部设备" starting
// one hidden run per phone, each journaled: how long the event loop stands still, and whether every
// run is reaped.
#include "app/app.h"
#include "app/command.h"
#include "devices/adb_device_tracker.h"
#include "inert_services.h"
#include "journal/journal.h"
#include "platform/process_starter.h"
#include "shell/form1.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kDevices = 64;

QList<kavu::test::SimulatedDevice> phones(int count) {
    QList<kavu::test::SimulatedDevice> devices;
    for (int i = 0; i < count; ++i) {
        devices.append({QStringLiteral("PHONE%1").arg(i, 2, 10, QLatin1Char('0')),
                        QStringLiteral("device"), QStringLiteral("Pixel %1").arg(i)});
    }
    return devices;
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
    server.setDevices(phones(kDevices));
    kavu::AdbDeviceTracker tracker(server.port());
    kavu::App& app = world.app();
    app.setDeviceWatch(&tracker);
    // Each start is journaled, as in the program: one entry per phone, written and flushed.
    kavu::journal::Journal journal(app, world.folder() + QStringLiteral("/journal"));
    app.setJournal(&journal);
    kavu::Form1* main = kavu::form1(app);
    auto* list = main->findChild<QComboBox*>(QStringLiteral("Combodev"));
    if (list == nullptr ||
        !kavu::bench::waitUntil([&] { return list->count() == kDevices + 2; }, 5000)) {
        std::fprintf(stderr, "the main window never listed the phones\n");
        return 1;
    }
    // "全部设备", after "选择设备…".
    list->setCurrentIndex(kDevices + 1);
    emit list->activated(kDevices + 1);

    // Alternately 63 and 64 phones; the chosen entry names the count.
    std::vector<double> latencies;
    constexpr int kChanges = 51;
    for (int i = 0; i < kChanges; ++i) {
        const int count = i % 2 == 0 ? kDevices - 1 : kDevices;
        const QString expected = QStringLiteral("全部设备（%1 台）").arg(count);
        QElapsedTimer clock;
        clock.start();
        server.setDevices(phones(count));
        if (!kavu::bench::waitUntil([&] { return list->currentText() == expected; }, 2000)) {
            std::fprintf(stderr, "change %d never reached the row\n", i);
            return 1;
        }
        list->repaint();
        latencies.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        kavu::bench::waitUntil([] { return false; }, 20);
    }
    std::sort(latencies.begin(), latencies.end());
    // All 64 again before the runs.
    server.setDevices(phones(kDevices));
    if (!kavu::bench::waitUntil(
            [&] {
                return list->currentText() == QStringLiteral("全部设备（%1 台）").arg(kDevices);
            },
            2000)) {
        std::fprintf(stderr, "the row never listed all the phones again\n");
        return 1;
    }

    // One hidden run per phone, started from the event loop; a 1 ms timer notes the longest gap.
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    kavu::bench::waitUntil([] { return false; }, 100);
    longestGapNs = 0;
    failures.clear(); // the main window's device check found no terminal: no matter here
    double startMs = -1;
    QTimer::singleShot(0, [&] {
        QElapsedTimer clock;
        clock.start();
        app.console().run(kavu::Command(u"exit"), kavu::launch::kHidden);
        startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    });
    // Each run writes two journal lines, its entry and its end; the loop goes on meanwhile.
    int written = 0;
    QObject::connect(&journal, &kavu::journal::Journal::written, &journal,
                     [&written] { ++written; });
    kavu::bench::waitUntil([&] { return startMs >= 0; }, 1000);
    kavu::bench::waitUntil([&] { return written >= 2 * kDevices; }, 30000);
    const bool reaped = kavu::bench::waitUntil(
        [] {
            const auto [running, zombies] = kavu::bench::children();
            return running == 0 && zombies == 0;
        },
        10000);
    ticker.stop();
    const auto [running, zombies] = kavu::bench::children();
    // A run counts once its end is in its phone's journal: the benchmark started real processes.
    int ended = 0;
    for (const kavu::test::SimulatedDevice& phone : phones(kDevices)) {
        const auto entries = journal.read(phone.serial).entries;
        ended += static_cast<int>(
            std::count_if(entries.begin(), entries.end(), [](const kavu::journal::Entry& entry) {
                return entry.line == u"cmd /c exit" && entry.exitCode == 0;
            }));
    }

    std::printf("%d phones: list change to the row, ms: median %.2f, 90th percentile %.2f, max "
                "%.2f (%d changes)\n",
                kDevices, latencies[latencies.size() / 2], latencies[latencies.size() * 9 / 10],
                latencies.back(), kChanges);
    std::printf("全部设备: %d hidden runs queued in %.2f ms (one start a turn), %d ended and "
                "journaled; longest event-loop gap %.2f ms; "
                "%s, %d running, %d zombies; %lld start failures\n",
                kDevices, startMs, ended, static_cast<double>(longestGapNs) / 1e6,
                reaped ? "all reaped" : "NOT all reaped", running, zombies,
                static_cast<long long>(failures.size()));
    for (const QString& failure : std::as_const(failures)) {
        std::fprintf(stderr, "start failure: %s\n", qPrintable(failure));
    }
    return reaped && failures.isEmpty() && ended == kDevices ? 0 : 1;
}
