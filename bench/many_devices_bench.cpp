// Kavu with 64 phones on a simulated adb server, in one process on the offscreen platform: the
// time from a change of the server's list to the device row painting it, and "全部设备" starting
// one hidden run per phone, each journaled: how long until every run ended and was journaled, how
// long the event loop stands still, and whether every run is reaped.
//
// Each beside the least a program could do for the same, timed in turns with it: for the list
// change, a bare socket tracking a second simulated server (so that neither reads the other's
// change) that refills a bare combo box with an entry per phone and paints it; for the runs, 64
// bare posix_spawn of the same program, output to the null device, all reaped with waitpid.
#include "app/app.h"
#include "app/command.h"
#include "bare_spawn.h"
#include "devices/adb_device_tracker.h"
#include "in_turns.h"
#include "inert_services.h"
#include "journal/journal.h"
#include "platform/process_starter.h"
#include "shell/form1.h"
#include "support/simulated_adb_server.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kDevices = 64;
constexpr int kChanges = 51;
constexpr int kRounds = 7;

QList<kavu::test::SimulatedDevice> phones(int count) {
    QList<kavu::test::SimulatedDevice> devices;
    for (int i = 0; i < count; ++i) {
        devices.append({QStringLiteral("PHONE%1").arg(i, 2, 10, QLatin1Char('0')),
                        QStringLiteral("device"), QStringLiteral("Pixel %1").arg(i)});
    }
    return devices;
}

QString allDevices(int count) {
    return QStringLiteral("全部设备（%1 台）").arg(count);
}

using kavu::bench::msSince;

// The baseline of the device row: a socket tracking the server's list over the adb host protocol,
// written by hand, that refills a combo box on each list it reads, as the row lists the phones:
// "选择设备…", the serials, and "全部设备" with their count, chosen.
class BareRow final : public QObject {
public:
    explicit BareRow(quint16 port) {
        connect(&m_socket, &QTcpSocket::connected, this,
                [this] { m_socket.write(QByteArrayLiteral("0012host:track-devices")); });
        connect(&m_socket, &QTcpSocket::readyRead, this, &BareRow::take);
        m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    }

    QComboBox combo;
    bool failed = false;

private:
    void take() {
        m_buffer += m_socket.readAll();
        if (!m_tracking && m_buffer.size() >= 4) {
            failed = !m_buffer.startsWith("OKAY");
            m_buffer.remove(0, 4);
            m_tracking = true;
        }
        while (m_tracking && !failed && m_buffer.size() >= 4) {
            bool ok = false;
            const int size = m_buffer.left(4).toInt(&ok, 16);
            failed = !ok;
            if (failed || m_buffer.size() < 4 + size) {
                return;
            }
            show(m_buffer.mid(4, size));
            m_buffer.remove(0, 4 + size);
        }
    }

    void show(const QByteArray& list) {
        QStringList entries = {QStringLiteral("选择设备…")};
        for (const QByteArray& line : list.split('\n')) {
            if (!line.isEmpty()) {
                entries.append(QString::fromUtf8(line.left(line.indexOf('\t'))));
            }
        }
        entries.append(allDevices(static_cast<int>(entries.size()) - 1));
        combo.clear();
        combo.addItems(entries);
        combo.setCurrentIndex(combo.count() - 1);
    }

    QTcpSocket m_socket;
    QByteArray m_buffer;
    bool m_tracking = false;
};

// The baseline of the runs: count bare spawns of the program that runs the lines, as the runs'
// line asks ("/c exit"), then each reaped; the milliseconds from the first spawn to the last
// reaped, negative when one did not start or did not end well.
double bareSpawns(int count) {
    kavu::bench::BareSpawn line(KAVU_CMD_PATH, "exit");
    std::vector<pid_t> pids;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        if (const pid_t pid = line.start(); pid >= 0) {
            pids.push_back(pid);
        }
    }
    int endedWell = 0;
    for (const pid_t pid : pids) {
        int status = 0;
        endedWell +=
            waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const double ms = msSince(clock);
    return endedWell == count ? ms : -1;
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
    kavu::test::SimulatedAdbServer bareServer;
    if (!world.ready() || !server.listen() || !bareServer.listen()) {
        return 1;
    }
    server.setDevices(phones(kDevices));
    bareServer.setDevices(phones(kDevices));
    kavu::AdbDeviceTracker tracker(server.port());
    kavu::App& app = world.app();
    app.setDeviceWatch(&tracker);
    // Each start is journaled, as in the program: one entry per phone, written and flushed.
    kavu::journal::Journal journal(app, world.folder() + QStringLiteral("/journal"));
    app.setJournal(&journal);
    kavu::Form1* main = kavu::form1(app);
    auto* list = main->findChild<QComboBox*>(QStringLiteral("Combodev"));
    BareRow bare(bareServer.port());
    if (list == nullptr ||
        !kavu::bench::waitUntil(
            [&] { return list->count() == kDevices + 2 && bare.combo.count() == kDevices + 2; },
            5000)) {
        std::fprintf(stderr, "the main window or the bare row never listed the phones\n");
        return 1;
    }
    bare.combo.resize(list->size());
    bare.combo.setVisible(list->isVisible());
    // "全部设备", after "选择设备…".
    list->setCurrentIndex(kDevices + 1);
    emit list->activated(kDevices + 1);

    // Alternately 63 and 64 phones; the chosen entry names the count.
    kavu::bench::Turns changes;
    for (int i = 0; i < kChanges; ++i) {
        const int count = i % 2 == 0 ? kDevices - 1 : kDevices;
        const auto change = [count](kavu::test::SimulatedAdbServer& changed, QComboBox& row) {
            QElapsedTimer clock;
            clock.start();
            changed.setDevices(phones(count));
            if (!kavu::bench::waitUntil([&] { return row.currentText() == allDevices(count); },
                                        2000)) {
                return -1.0;
            }
            row.repaint();
            const double ms = msSince(clock);
            // Let the model query of this change finish before the next one.
            kavu::bench::settle(20);
            return ms;
        };
        if (!changes.take([&] { return change(server, *list); },
                          [&] { return change(bareServer, bare.combo); })) {
            std::fprintf(stderr, "change %d never reached a row\n", i);
            return 1;
        }
    }
    // All 64 again before the runs.
    server.setDevices(phones(kDevices));
    if (!kavu::bench::waitUntil([&] { return list->currentText() == allDevices(kDevices); },
                                2000)) {
        std::fprintf(stderr, "the row never listed all the phones again\n");
        return 1;
    }

    // One hidden run per phone, started from the event loop; a 1 ms timer notes the longest gap.
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    // Each run writes two journal lines, its entry and its end; the loop goes on meanwhile. The
    // round ends with the last of them.
    QElapsedTimer runClock;
    int written = 0;
    double journaledMs = -1;
    QObject::connect(&journal, &kavu::journal::Journal::written, &journal, [&] {
        if (++written == 2 * kDevices) {
            journaledMs = msSince(runClock);
        }
    });
    failures.clear(); // the main window's device check found no terminal: no matter here
    kavu::bench::Turns runs;
    std::vector<double> queuedMs;
    std::vector<double> gapsMs;
    bool reaped = true;
    int running = 0;
    int zombies = 0;
    for (int round = 0; round < kRounds; ++round) {
        const bool taken = runs.take(
            [&] {
                sinceTick.start();
                ticker.start();
                kavu::bench::settle(100);
                longestGapNs = 0;
                written = 0;
                journaledMs = -1;
                double startMs = -1;
                QTimer::singleShot(0, &ticker, [&] {
                    runClock.start();
                    app.console().run(kavu::Command(u"exit"), kavu::launch::kHidden);
                    startMs = msSince(runClock);
                });
                kavu::bench::waitUntil([&] { return startMs >= 0; }, 1000);
                kavu::bench::waitUntil([&] { return written >= 2 * kDevices; }, 30000);
                reaped = kavu::bench::waitUntil(
                             [] {
                                 const auto [stillRunning, left] = kavu::bench::children();
                                 return stillRunning == 0 && left == 0;
                             },
                             10000) &&
                         reaped;
                ticker.stop();
                std::tie(running, zombies) = kavu::bench::children();
                queuedMs.push_back(startMs);
                gapsMs.push_back(static_cast<double>(longestGapNs) / 1e6);
                return journaledMs;
            },
            [] { return bareSpawns(kDevices); });
        if (!taken) {
            std::fprintf(stderr,
                         "round %d: the runs were not all journaled, or a bare spawn "
                         "failed\n",
                         round);
            return 1;
        }
    }
    // A run counts once its end is in its phone's journal: the benchmark started real processes.
    int ended = 0;
    for (const kavu::test::SimulatedDevice& phone : phones(kDevices)) {
        const auto entries = journal.read(phone.serial).entries;
        ended += static_cast<int>(
            std::count_if(entries.begin(), entries.end(), [](const kavu::journal::Entry& entry) {
                return entry.line == u"cmd /c exit" && entry.exitCode == 0;
            }));
    }

    std::vector<double> latencies = changes.subject;
    std::sort(latencies.begin(), latencies.end());
    std::printf("%d phones: list change to the row, ms: median %.2f, 90th percentile %.2f, max "
                "%.2f (%d changes)\n",
                kDevices, latencies[latencies.size() / 2], latencies[latencies.size() * 9 / 10],
                latencies.back(), kChanges);
    std::printf(
        "全部设备, %d rounds: %d hidden runs a round queued in %.2f ms (median; one start a "
        "turn), %d of %d ended and journaled; longest event-loop gap %.2f ms (median of "
        "the rounds; worst %.2f ms); %s, %d running, %d zombies; %lld start failures\n",
        kRounds, kDevices, kavu::bench::median(queuedMs), ended, kDevices * kRounds,
        kavu::bench::median(gapsMs), *std::max_element(gapsMs.begin(), gapsMs.end()),
        reaped ? "all reaped" : "NOT all reaped", running, zombies,
        static_cast<long long>(failures.size()));
    kavu::bench::printTurnsHeading("Against a bare socket and combo box, and bare spawns", "ms");
    kavu::bench::printTurns("list change to the row painted / bare combo box painted", changes);
    kavu::bench::printTurns("all devices: every run journaled / 64 bare spawns reaped", runs);
    for (const QString& failure : std::as_const(failures)) {
        std::fprintf(stderr, "start failure: %s\n", qPrintable(failure));
    }
    return reaped && failures.isEmpty() && ended == kDevices * kRounds ? 0 : 1;
}
