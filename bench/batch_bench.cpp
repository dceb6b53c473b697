// A batch as a repair shop runs one: 64 phones on a simulated adb server, "全部设备", a click of
// three console lines (each a real process of about 50 ms), run hidden at most eight at once
// with the batch window open. It reports the longest stand-still of the event loop (goal at most
// 50 ms), the most runs seen at once (goal at most the limit), the window's refreshes a second
// (goal at most 30), the peak memory, and that every run ended and was reaped.
//
// The batch's time is taken in turns with the least a program could do for the same work: the
// same 192 processes (the program and arguments each line starts) started with bare posix_spawn,
// at most eight at once and each phone's three one after the other, reaped with waitpid.
#include "app/app.h"
#include "app/batch_runner.h"
#include "app/command.h"
#include "bare_spawn.h"
#include "batch/batch_window.h"
#include "devices/adb_device_tracker.h"
#include "in_turns.h"
#include "inert_services.h"
#include "journal/journal.h"
#include "platform/process_starter.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kPhones = 64;
constexpr int kLines = 3;
constexpr int kRounds = 7;

using kavu::bench::peakKiB;

// The baseline: each phone's lines as bare spawns of the program a line starts ("cmd /c sleep
// 0.05" runs it with "/c" and "sleep 0.05"), at most limit at once, a phone's next line started as
// its last one is reaped, else the next phone's first. The seconds from the first spawn to the
// last reaped; negative when one did not start or did not end well, or a child not its own ended.
double bareBatch(int limit) {
    kavu::bench::BareSpawn line(KAVU_CMD_PATH, "sleep 0.05");
    std::unordered_map<pid_t, int> phoneOf;
    std::vector<int> started(kPhones, 0);
    int nextPhone = 0;
    int endedWell = 0;
    bool failed = false;
    const auto spawn = [&](int phone) {
        const pid_t pid = line.start();
        if (pid < 0) {
            failed = true;
            return;
        }
        phoneOf[pid] = phone;
        ++started[phone];
    };
    QElapsedTimer clock;
    clock.start();
    while (nextPhone < kPhones && static_cast<int>(phoneOf.size()) < limit) {
        spawn(nextPhone++);
    }
    while (!phoneOf.empty()) {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, 0);
        if (pid < 0 && errno == EINTR) {
            continue;
        }
        const auto found = phoneOf.find(pid);
        if (found == phoneOf.end()) {
            failed = true;
            break;
        }
        const int phone = found->second;
        phoneOf.erase(found);
        endedWell += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
        if (started[phone] < kLines) {
            spawn(phone);
        } else if (nextPhone < kPhones) {
            spawn(nextPhone++);
        }
    }
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return !failed && endedWell == kPhones * kLines ? seconds : -1;
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
    const long peakBefore = peakKiB();

    // A 1 ms timer notes the longest gap between its ticks, and the most runs under way at once,
    // while a batch runs: the baseline holds the event loop up.
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
    // A round's batch: the seconds until every row finished, negative when the batch did not
    // finish, a phone did not succeed with all its lines, or a run was not reaped.
    qint64 worstGapNs = 0;
    double mostRefreshesPerSecond = 0;
    int batches = 0;
    int succeeded = 0;
    bool reaped = true;
    const auto batchRound = [&] {
        ++batches;
        sinceTick.start();
        ticker.start();
        kavu::bench::settle(100);
        longestGapNs = 0;
        const int refreshesBefore = window->refreshes();
        const int batchBefore = runner.latest() != nullptr ? runner.latest()->id : 0;
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, [&] {
            for (int line = 0; line < kLines; ++line) {
                app.console().run(kavu::Command(u"sleep 0.05"), kavu::launch::kConsole);
            }
        });
        const auto done = [&] {
            const kavu::Batch* batch = runner.latest();
            return batch != nullptr && batch->id != batchBefore && batch->rows.size() == kPhones &&
                   runner.idle();
        };
        const bool finished = kavu::bench::waitUntil(done, 120000);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        // The window's last refresh comes after the runs' end.
        kavu::bench::settle(100);
        ticker.stop();
        worstGapNs = std::max(worstGapNs, longestGapNs);
        mostRefreshesPerSecond =
            std::max(mostRefreshesPerSecond,
                     static_cast<double>(window->refreshes() - refreshesBefore) / seconds);
        int roundSucceeded = 0;
        if (finished) {
            const kavu::Batch* batch = runner.latest();
            roundSucceeded = static_cast<int>(std::count_if(
                batch->rows.begin(), batch->rows.end(), [](const kavu::BatchRow& row) {
                    return row.status == kavu::BatchRow::Status::Succeeded &&
                           row.next == static_cast<std::size_t>(kLines);
                }));
        }
        succeeded += roundSucceeded;
        // The baseline reaps any child: none of the batch's may be left.
        const bool roundReaped = kavu::bench::waitUntil(
            [] {
                const auto [running, zombies] = kavu::bench::children();
                return running == 0 && zombies == 0;
            },
            5000);
        reaped = reaped && roundReaped;
        return finished && roundReaped && roundSucceeded == kPhones ? seconds : -1.0;
    };
    kavu::bench::Turns turns;
    for (int round = 0; round < kRounds; ++round) {
        if (!turns.take(batchRound, [&runner] { return bareBatch(runner.limit()); })) {
            std::fprintf(
                stderr, "round %d: the batch did not finish well, or a bare spawn failed\n", round);
            break;
        }
    }
    const int rounds = static_cast<int>(turns.subject.size());

    std::printf("batch of %d phones x %d lines (limit %d), %d rounds: %d of %d phones succeeded; "
                "longest event-loop gap %.2f ms (goal <= 50); most runs at once %d; window "
                "refreshes %.1f a second at most (goal <= 30); peak memory %ld KiB (%ld KiB before "
                "the batches); %s; %lld start failures\n",
                kPhones, kLines, runner.limit(), rounds, succeeded, kPhones * batches,
                static_cast<double>(worstGapNs) / 1e6, mostAtOnce, mostRefreshesPerSecond,
                peakKiB(), peakBefore, reaped ? "0 zombies" : "ZOMBIES LEFT",
                static_cast<long long>(failures.size()));
    kavu::bench::printTurnsHeading("Against bare spawns of the same lines, as many at once", "s");
    kavu::bench::printTurns("the batch, every row finished / bare spawns, every one reaped", turns);
    for (const QString& failure : std::as_const(failures)) {
        std::fprintf(stderr, "start failure: %s\n", qPrintable(failure));
    }
    return rounds == kRounds && reaped && failures.isEmpty() && succeeded == kPhones * kRounds &&
                   mostAtOnce <= runner.limit()
               ? 0
               : 1;
}
